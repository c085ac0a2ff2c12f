// The engine behind the DataLink interface, as the conversion run and the table list use it.
#include <gtest/gtest.h>

#include "data/DataLink.h"
#include "tests/unit/foxpro/TempFolder.h"

namespace {

QString foxString(const std::string& folder, const char* collating = "machine") {
    return QStringLiteral("Provider=vfpoledb.1;Data Source=%1;Collating Sequence=%2;")
        .arg(QString::fromStdString(folder), QString::fromLatin1(collating));
}

QStringList tableList(DataLink::Connection& c) {
    QStringList names;
    auto rs = c.openSchema(DataLink::kTablesSchema);
    for (; !rs->eof(); rs->moveNext()) {
        EXPECT_EQ(rs->field(QStringLiteral("TABLE_TYPE")).value.toString(), "TABLE");
        names << rs->field(QStringLiteral("TABLE_NAME")).value.toString();
    }
    return names;
}

TEST(FoxProConnection, RunsStatementsAndListsTables) {
    TempFolder folder;
    DataLink::Connection c;
    c.setCursorLocation(DataLink::kServerSide);
    c.open(foxString(folder.path()));
    EXPECT_EQ(c.execute(QStringLiteral(
                  "CREATE TABLE \"Orders\"([id] INT,[customer] CHAR(254),[price] DEC);")),
              nullptr);
    EXPECT_EQ(c.execute(QStringLiteral("INSERT INTO [orders] VALUES (7, 'O''Neil', 1.5);")),
              nullptr);
    c.execute(QStringLiteral("CREATE TABLE [b side] (x I)"));
    c.execute(QStringLiteral("CREATE TABLE Zeta (x I)"));
    EXPECT_EQ(tableList(c), (QStringList{"b side", "orders", "zeta"}));
    c.execute(QStringLiteral("DROP TABLE \"orders\""));
    EXPECT_EQ(tableList(c), (QStringList{"b side", "zeta"}));
    c.close();
    EXPECT_FALSE(folder.exists("orders.dbf"));
}

TEST(FoxProConnection, RefusedStatementsKeepTheirNumberAndText) {
    TempFolder folder;
    DataLink::Connection c;
    c.open(foxString(folder.path(), "general"));
    c.execute(QStringLiteral("CREATE TABLE orders (qty I NOT NULL)"));
    try {
        c.execute(QStringLiteral("INSERT INTO orders VALUES (NULL)"));
        FAIL();
    } catch (const Failure& f) {
        EXPECT_EQ(f.number(), 1581);
        EXPECT_EQ(f.description(),
                  "SQLException: Column \"qty\" of table \"orders\" does not accept NULL.");
    }
    EXPECT_THROW(c.openSchema(4), Failure);
}

TEST(FoxProConnection, DataSourcesThatAreNoFolderDoNotOpen) {
    TempFolder folder;
    { std::ofstream(folder.file("file.dbc")) << "x"; }
    for (const std::string& source :
         {folder.file("missing"), folder.file("file.dbc"), std::string()}) {
        DataLink::Connection c;
        try {
            c.open(foxString(source));
            FAIL() << source;
        } catch (const Failure& f) {
            EXPECT_EQ(f.number(), 202) << source;
            EXPECT_FALSE(f.description().isEmpty());
            EXPECT_FALSE(f.description().startsWith("SQLException"));
        }
        EXPECT_FALSE(c.isOpen());
    }
}

TEST(FoxProConnection, TheListOfAnEmptyFolderIsEmptyAndKeysIgnoreCase) {
    TempFolder folder;
    DataLink::Connection c;
    c.open(QStringLiteral("provider=VFPOLEDB.1;DATA SOURCE=%1;unknown=1")
               .arg(QString::fromStdString(folder.path())));
    auto rs = c.openSchema(DataLink::kTablesSchema);
    EXPECT_TRUE(rs->eof());
    EXPECT_TRUE(rs->bof());
    EXPECT_EQ(rs->recordCount(), 0);
}

}  // namespace
