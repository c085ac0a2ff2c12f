#include <gtest/gtest.h>

#include "data/ConnectionStrings.h"
#include "data/DataLink.h"
#include "data/PostgreSQL.h"
#include "data/odbc/OdbcConnection.h"
#include "tests/unit/data/QStringPrinting.h"

namespace {

ConnectionFields pg(const QString& server, const QString& port, const QString& user,
                    const QString& password, const QString& database) {
    ConnectionFields f;
    f.server = server;
    f.port = port;
    f.user = user;
    f.password = password;
    f.database = database;
    return f;
}

ConnectionFields target(bool dbc, const QString& dbcPath, const QString& folder) {
    ConnectionFields f;
    f.optionDbc = dbc;
    f.dbcPath = dbcPath;
    f.folder = folder;
    return f;
}

TEST(PostgreSQLConnectionString, PlainFieldsAreConcatenatedByteForByte) {
    EXPECT_EQ(postgreSQLConnectionString(pg("localhost", "5432", "u", "p", "d")),
              QStringLiteral("Driver={PostgreSQL Unicode};Server=localhost;Port=5432;Uid=u;Pwd=p;"
                             "Database=d"));
}

TEST(PostgreSQLConnectionString, EmptyFieldsKeepTheirLiterals) {
    EXPECT_EQ(postgreSQLConnectionString(pg("", "", "", "", "")),
              QStringLiteral("Driver={PostgreSQL Unicode};Server=;Port=;Uid=;Pwd=;Database="));
    const QString s = postgreSQLConnectionString(pg("h", "", "u", "", "d"));
    EXPECT_TRUE(s.contains(QStringLiteral(";Port=;Uid=")));
    EXPECT_TRUE(s.contains(QStringLiteral(";Pwd=;Database=")));
}

TEST(PostgreSQLConnectionString, OrdinaryValuesStayUntouchedAndUntrimmedInside) {
    // Only the characters that would break the string lead to braces.
    EXPECT_EQ(
        postgreSQLConnectionString(pg("db.example", "5432", "Ünï c", "p@ss w!rd'\"", "my db")),
        QStringLiteral("Driver={PostgreSQL Unicode};Server=db.example;Port=5432;Uid=Ünï c;"
                       "Pwd=p@ss w!rd'\";Database=my db"));
}

TEST(PostgreSQLConnectionString, BreakingValuesAreBraced) {
    struct Case {
        const char* value;
        const char* written;
    } cases[] = {
        {"a;b", "{a;b}"},
        {"k=v", "{k=v}"},
        {"x}y", "{x}}y}"},
        {"{", "{{}"},
        {" lead", "{ lead}"},
        {"trail ", "{trail }"},
        {"a;Uid=root", "{a;Uid=root}"},
        {"}}", "{}}}}}"},
    };
    for (const Case& c : cases) {
        const QString value = QString::fromUtf8(c.value);
        EXPECT_EQ(connectionStringField(value), QString::fromUtf8(c.written)) << c.value;
        // The string reads back to the value as typed, and injects no other keyword.
        const QString s = postgreSQLConnectionString(pg("h", "1", "u", value, "d"));
        EXPECT_EQ(DataLink::connectionStringValue(s, QStringLiteral("Pwd")), value) << c.value;
        EXPECT_EQ(DataLink::connectionStringValue(s, QStringLiteral("Uid")), QStringLiteral("u"));
        EXPECT_EQ(DataLink::connectionStringValue(s, QStringLiteral("Database")),
                  QStringLiteral("d"));
    }
}

TEST(FoxProConnectionString, CollatingClauseFollowsTheUserAndTheTarget) {
    const ConnectionFields dbc = target(true, "/data/shop.dbc", "/data/free");
    const ConnectionFields folder = target(false, "/data/shop.dbc", "/data/free");
    EXPECT_EQ(foxProCheckConnectionString(dbc),
              QStringLiteral("Provider=vfpoledb.1;Data Source=/data/shop.dbc;"
                             "Collating Sequence=machine;"));
    EXPECT_EQ(foxProCheckConnectionString(folder),
              QStringLiteral("Provider=vfpoledb.1;Data Source=/data/free;"
                             "Collating Sequence=general;"));
    // The run opens a folder with the machine clause.
    EXPECT_EQ(foxProConnectionString(folder, CollatingSequence::Machine),
              QStringLiteral("Provider=vfpoledb.1;Data Source=/data/free;"
                             "Collating Sequence=machine;"));
}

TEST(FoxProConnectionString, EmptyContainerPathLeavesNothingBetweenTheLiterals) {
    EXPECT_EQ(foxProCheckConnectionString(target(true, "", "/ignored")),
              QStringLiteral("Provider=vfpoledb.1;Data Source=;Collating Sequence=machine;"));
}

TEST(FoxProConnectionString, FolderWithSemicolonReadsBackWhole) {
    const QString folder = QStringLiteral("/tmp/a;b=c");
    const QString s = foxProCheckConnectionString(target(false, "", folder));
    EXPECT_EQ(DataLink::connectionStringValue(s, QStringLiteral("Data Source")), folder);
    EXPECT_EQ(DataLink::connectionStringValue(s, QStringLiteral("Collating Sequence")),
              QStringLiteral("general"));
}

TEST(OdbcDriverConnectionString, AddsDriverOptionsAfterTheProgramsString) {
    const QString given = postgreSQLConnectionString(pg("h", "1", "u", "p", "d"));
    const QString server = odbcDriverConnectionString(given, DataLink::kServerSide);
    const QString client = odbcDriverConnectionString(given, DataLink::kClientSide);
    EXPECT_TRUE(server.startsWith(given + QLatin1Char(';')));
    EXPECT_TRUE(client.startsWith(given + QLatin1Char(';')));
    EXPECT_EQ(DataLink::connectionStringValue(server, QStringLiteral("UseDeclareFetch")), "1");
    EXPECT_GE(DataLink::connectionStringValue(server, QStringLiteral("Fetch")).toInt(), 1000);
    EXPECT_EQ(DataLink::connectionStringValue(client, QStringLiteral("UseDeclareFetch")), "0");
    EXPECT_EQ(DataLink::connectionStringValue(server, QStringLiteral("BoolsAsChar")), "0");
    EXPECT_EQ(DataLink::connectionStringValue(client, QStringLiteral("BoolsAsChar")), "0");
    // A string that already ends in ";" gets no empty pair.
    EXPECT_FALSE(odbcDriverConnectionString(given + ";", DataLink::kServerSide).contains(";;"));
}

TEST(PostgreSQLSourceQuery, QuotesSchemaAndNameWithInnerQuotesDoubled) {
    EXPECT_EQ(postgreSQLSourceQuery("public", "people"),
              QStringLiteral("SELECT * FROM \"public\".\"people\""));
    EXPECT_EQ(postgreSQLSourceQuery("Sales \"EU\"", "Order\"s"),
              QStringLiteral("SELECT * FROM \"Sales \"\"EU\"\"\".\"Order\"\"s\""));
    EXPECT_EQ(postgreSQLSourceQuery(QString(), "t"), QStringLiteral("SELECT * FROM \"t\""));
}

}  // namespace
