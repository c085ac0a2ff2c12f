#include <gtest/gtest.h>

#include "engine/CreateTableBuilder.h"
#include "tests/support/QtPrinters.h"

namespace {

DataLink::Field field(const char* name, int type) { return DataLink::Field{QString::fromUtf8(name), type, {}}; }

struct Built {
    QString statement;
    QString numeric;
    bool hasColumns;
};

Built build(const QString& table, const std::vector<DataLink::Field>& fields, TypeConversionRows* rows = nullptr) {
    CreateTableBuilder builder;
    builder.begin(table);
    for (const auto& f : fields) builder.addField(f, rows);
    const QString statement = builder.finish();
    return {statement, builder.numericColumns(), builder.hasColumns()};
}

QStringList columnNames(std::initializer_list<const char*> names) {
    QString used;
    QStringList result;
    for (const char* n : names) result << CreateTableBuilder::columnName(QString::fromUtf8(n), used);
    return result;
}

TEST(ColumnNames, BlanksGoAndEightCharactersStay) {
    EXPECT_EQ(columnNames({"First Name"}), QStringList{"FirstNam"});
    EXPECT_EQ(columnNames({"  order date  "}), QStringList{"orderdat"});
}

TEST(ColumnNames, UniquenessIsASubstringSearchIgnoringCase) {
    EXPECT_EQ(columnNames({"customer_id", "customer_name"}), (QStringList{"customer", "custome1"}));
    EXPECT_EQ(columnNames({"name", "nam"}), (QStringList{"name", "nam1"}));
    EXPECT_EQ(columnNames({"xab", "xab1", "ab"}), (QStringList{"xab", "xab1", "ab12"}));
    EXPECT_EQ(columnNames({"ID", "id"}), (QStringList{"ID", "id1"}));
    EXPECT_EQ(columnNames({"a", "a", "a"}), (QStringList{"a", "a1", "a12"}));
}

TEST(ColumnNames, NamesBecomeOnesEveryReaderTakes) {
    EXPECT_EQ(columnNames({"unit-price"}), QStringList{"unit_pri"});
    EXPECT_EQ(columnNames({"Größe"}), QStringList{"Gr__e"});
    EXPECT_EQ(columnNames({"2nd"}), QStringList{"F2nd"});
    EXPECT_EQ(columnNames({"_id"}), QStringList{"F_id"});
    EXPECT_EQ(columnNames({"имя"}), QStringList{"F___"});
}

TEST(CreateTable, OrdersExampleAndSeparators) {
    const Built b = build("orders", {field("id", 3), field("customer_code", 202),
                                     field("customer_name", 202), field("created", 135)});
    EXPECT_EQ(b.statement, "CREATE TABLE \"orders\"([id] INT,[customer] CHAR(254),[custome1] CHAR(254),[created] CHAR(25));");
    EXPECT_EQ(b.numeric, "0, ");
    EXPECT_TRUE(b.hasColumns);
}

struct RuleCase {
    int type;
    const char* clause;
    const char* typeClass;
    const char* foxproType;
    bool numeric;
};

TEST(CreateTable, EveryTypeFindsItsRule) {
    const RuleCase cases[] = {
        {129, "CHAR(254)", "varwchar", "TEXT", false},   {130, "CHAR(254)", "varwchar", "TEXT", false},
        {200, "CHAR(254)", "varwchar", "TEXT", false},   {201, "CHAR(254)", "varwchar", "TEXT", false},
        {202, "CHAR(254)", "varwchar", "TEXT", false},   {203, "CHAR(254)", "varwchar", "TEXT", false},
        {14, "DEC", "decimal", "NUMERIC", true},         {4, "DOUBLE", "single", "NUMERIC", true},
        {2, "INT", "int", "INTEGER", true},              {3, "INT", "int", "INTEGER", true},
        {16, "INT", "int", "INTEGER", true},             {17, "INT", "int", "INTEGER", true},
        {18, "INT", "int", "INTEGER", true},             {19, "INT", "int", "INTEGER", true},
        {20, "INT", "int", "INTEGER", true},             {21, "INT", "int", "INTEGER", true},
        {131, "DEC", "numeric", "NUMERIC", true},        {139, "DEC", "numeric", "NUMERIC", true},
        {7, "CHAR(12)", "date", "TEXT", false},          {133, "CHAR(12)", "date", "TEXT", false},
        {135, "CHAR(25)", "timestamp", "TEXT", false},   {5, "DOUBLE", "double", "NUMERIC", true},
        {11, "CHAR(254)", "OTHER TYPES", "TEXT", false}, {134, "CHAR(254)", "OTHER TYPES", "TEXT", false},
        {6, "CHAR(254)", "OTHER TYPES", "TEXT", false},  {72, "CHAR(254)", "OTHER TYPES", "TEXT", false},
        {204, "CHAR(254)", "OTHER TYPES", "TEXT", false}, {137, "CHAR(254)", "OTHER TYPES", "TEXT", false},
        {8192, "CHAR(254)", "OTHER TYPES", "TEXT", false}, {0, "CHAR(254)", "OTHER TYPES", "TEXT", false},
    };
    for (const RuleCase& c : cases) {
        TypeConversionRows rows;
        const Built b = build("t", {field("v", c.type)}, &rows);
        EXPECT_EQ(b.statement, QString("CREATE TABLE \"t\"([v] %1);").arg(c.clause)) << c.type;
        EXPECT_EQ(b.numeric, c.numeric ? QString("0, ") : QString()) << c.type;
        ASSERT_EQ(rows.count(), 1);
        EXPECT_EQ(rows.row(0).typeClass, c.typeClass) << c.type;
        EXPECT_EQ(rows.row(0).foxproType, c.foxproType) << c.type;
    }
}

TEST(CreateTable, LongBinaryGetsNoColumnButKeepsItsPositionAndViewerRow) {
    TypeConversionRows rows;
    const Built b = build("files", {field("id", 3), field("data", 205), field("size", 20), field("name", 202)}, &rows);
    EXPECT_EQ(b.statement, "CREATE TABLE \"files\"([id] INT,[size] INT,[name] CHAR(254));");
    EXPECT_EQ(b.numeric, "0, 2, ");
    ASSERT_EQ(rows.count(), 4);
    EXPECT_EQ(rows.row(1).table, "files");
    EXPECT_EQ(rows.row(1).field, "data");
    EXPECT_TRUE(rows.row(1).typeClass.isEmpty());
    EXPECT_TRUE(rows.row(1).foxproType.isEmpty());
    EXPECT_EQ(rows.row(3).field, "name");
}

TEST(CreateTable, OnlyLongBinaryFieldsGiveNoColumnsButViewerRows) {
    TypeConversionRows rows;
    const Built b = build("blobs", {field("a", 205), field("b", 205)}, &rows);
    EXPECT_FALSE(b.hasColumns);
    EXPECT_EQ(rows.count(), 2);
}

TEST(CreateTable, ViewerRowsAccumulateAcrossTablesWithFullFieldNames) {
    TypeConversionRows rows;
    build("a", {field("First Name", 202)}, &rows);
    build("b", {field("amount", 131)}, &rows);
    ASSERT_EQ(rows.count(), 2);
    EXPECT_EQ(rows.row(0).field, "First Name");
    EXPECT_EQ(rows.row(1).table, "b");
    EXPECT_EQ(rows.row(1).typeClass, "numeric");
}

}  // namespace
