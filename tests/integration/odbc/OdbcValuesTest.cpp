#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QTime>

#include "tests/integration/odbc/PgScratchDatabase.h"
#include "tests/integration/odbc/QStringPrinting.h"
#include "tests/support/TestEnvironment.h"

namespace {

#define REQUIRE_POSTGRES() \
    if (!TestEnvironment::hasPostgres()) GTEST_SKIP() << "BRINDLECAST_PGPORT is not set"

// One column per type the conversion meets, with the number it must report, a literal and
// the value it must arrive as.
struct TypeCase {
    const char* column;
    const char* sqlType;
    const char* literal;
    int number;
    QVariant expected;
};

QVariant decimal(const char* text) {
    return QVariant::fromValue(DataLink::Decimal{text});
}

std::vector<TypeCase> typeCases() {
    return {
        {"c_smallint", "smallint", "-32768", 2, qlonglong(-32768)},
        {"c_integer", "integer", "2147483647", 3, qlonglong(2147483647)},
        {"c_bigint", "bigint", "-9223372036854775808", 20,
         qlonglong(std::numeric_limits<qlonglong>::min())},
        {"c_numeric_scale", "numeric(12,3)", "-12345.670", 131, decimal("-12345.670")},
        {"c_numeric", "numeric", "3.14159265358979323846264338327950288", 131,
         decimal("3.14159265358979323846264338327950288")},
        {"c_real", "real", "0.1", 4, 0.1},
        {"c_double", "double precision", "0.1", 5, 0.1},
        {"c_money", "money", "1234.56", 5, 1234.56},
        {"c_boolean", "boolean", "true", 11, true},
        {"c_char", "char(5)", "'ab'", 130, QStringLiteral("ab   ")},
        {"c_varchar", "varchar(20)", "'héllo ünï'", 202, QStringLiteral("héllo ünï")},
        {"c_text", "text", "'line1\nline2 ☃'", 203, QStringLiteral("line1\nline2 ☃")},
        {"c_date", "date", "'2021-08-31'", 133, QDate(2021, 8, 31)},
        {"c_time", "time", "'13:05:09.25'", 134, QTime(13, 5, 9, 250)},
        {"c_timestamp", "timestamp", "'2021-08-31 13:05:09.5'", 135,
         QDateTime(QDate(2021, 8, 31), QTime(13, 5, 9, 500), Qt::UTC)},
        {"c_timestamptz", "timestamptz", "'2021-08-31 13:05:09+00'", 135,
         QDateTime(QDate(2021, 8, 31), QTime(13, 5, 9), Qt::UTC)},
        {"c_interval", "interval", "'1 day 02:03:04'", 202, QStringLiteral("1 day 02:03:04")},
        {"c_uuid", "uuid", "'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11'", 72,
         QStringLiteral("A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11")},
        {"c_json", "json", "'{\"a\": [1, 2]}'", 202, QStringLiteral("{\"a\": [1, 2]}")},
        {"c_bytea", "bytea", "'\\xdeadbeef00'", 205, QByteArray("\xde\xad\xbe\xef\x00", 5)},
        {"c_array", "integer[]", "'{1,2,3}'", 202, QStringLiteral("{1,2,3}")},
        {"c_enum", "mood", "'happy'", 202, QStringLiteral("happy")},
    };
}

class OdbcValues : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_POSTGRES();
        db = std::make_unique<PgScratchDatabase>(
            QStringLiteral("odbc_values_") +
            QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    }
    std::unique_ptr<PgScratchDatabase> db;
};

TEST_F(OdbcValues, EveryTypeReportsItsNumberAndValueAndNullsAreNull) {
    QStringList columns, values;
    for (const TypeCase& c : typeCases()) {
        columns << QStringLiteral("%1 %2").arg(c.column, c.sqlType);
        values << QString::fromUtf8(c.literal);
    }
    // The time zone is fixed so that the timestamptz arrives as its UTC wall clock.
    db->run(QStringLiteral("CREATE TYPE mood AS ENUM ('sad', 'happy'); "
                           "ALTER DATABASE %1 SET timezone = 'UTC'")
                .arg(db->fields().database));
    db->run(QStringLiteral("CREATE TABLE t (n integer, %1); INSERT INTO t VALUES (1, %2); "
                           "INSERT INTO t (n) VALUES (2)")
                .arg(columns.join(", "), values.join(", ")));
    for (int location : {DataLink::kServerSide, DataLink::kClientSide}) {
        auto connection = db->connect(location);
        auto rows = connection->execute(QStringLiteral("SELECT * FROM t ORDER BY n"));
        ASSERT_TRUE(rows);
        const auto cases = typeCases();
        ASSERT_EQ(rows->fields().size(), cases.size() + 1);
        ASSERT_FALSE(rows->eof());
        EXPECT_FALSE(rows->bof());
        for (size_t i = 0; i < cases.size(); ++i) {
            const DataLink::Field& f = rows->field(int(i) + 1);
            SCOPED_TRACE(cases[i].column);
            EXPECT_EQ(f.name, QString::fromLatin1(cases[i].column));
            EXPECT_EQ(f.type, cases[i].number);
            EXPECT_EQ(f.value.metaType(), cases[i].expected.metaType());
            if (cases[i].expected.metaType() == QMetaType::fromType<DataLink::Decimal>())
                EXPECT_EQ(f.value.value<DataLink::Decimal>().text,
                          cases[i].expected.value<DataLink::Decimal>().text);
            else
                EXPECT_EQ(f.value, cases[i].expected);
        }
        // A real's text is its shortest single-precision form.
        EXPECT_EQ(rows->field(QStringLiteral("C_REAL")).value.toString(), QStringLiteral("0.1"));
        rows->moveNext();
        ASSERT_FALSE(rows->eof());
        for (size_t i = 0; i < cases.size(); ++i)
            EXPECT_TRUE(rows->field(int(i) + 1).value.isNull()) << cases[i].column;
        rows->moveNext();
        EXPECT_TRUE(rows->eof());
    }
}

TEST_F(OdbcValues, RealsKeepTheirShortestFormAcrossTheRange) {
    db->run(
        "CREATE TABLE r (v real); INSERT INTO r VALUES (0.1), (1.5), (-3.4028235e38), "
        "(1e-45), (16777217), (123.456)");
    auto connection = db->connect();
    auto rows = connection->execute("SELECT v FROM r");
    QStringList texts;
    for (; !rows->eof(); rows->moveNext()) texts << rows->field(0).value.toString();
    EXPECT_EQ(texts, (QStringList{"0.1", "1.5", "-3.4028235e+38", "1e-45", "16777216", "123.456"}));
}

TEST_F(OdbcValues, FixedSizeValuesOfEveryRowOfABlockArriveInTheirOwnRow) {
    // Values of 1, 2, 4, 6 and 8 bytes lie side by side in a fetched block; every row must
    // read its own, across several blocks.
    db->run(
        "CREATE TABLE f AS SELECT i AS n, (i % 2 = 0) AS b, i::smallint AS s, "
        "(i / 4.0)::real AS r, date '2000-01-01' + i AS d, time '00:00' + i * interval '1 s' "
        "AS t, timestamp '2021-08-31' + i * interval '1 min' AS ts, i * 0.5::float8 AS x "
        "FROM generate_series(1, 2500) i");
    for (int location : {DataLink::kServerSide, DataLink::kClientSide}) {
        auto connection = db->connect(location);
        auto rows = connection->execute("SELECT * FROM f ORDER BY n");
        int i = 0;
        for (; !rows->eof(); rows->moveNext()) {
            ++i;
            ASSERT_EQ(rows->field(0).value.toLongLong(), i);
            ASSERT_EQ(rows->field(1).value, QVariant(i % 2 == 0)) << i;
            ASSERT_EQ(rows->field(2).value.toLongLong(), i) << i;
            ASSERT_EQ(rows->field(3).value.toDouble(), i / 4.0) << i;
            ASSERT_EQ(rows->field(4).value.toDate(), QDate(2000, 1, 1).addDays(i)) << i;
            ASSERT_EQ(rows->field(5).value.toTime(), QTime(0, 0).addSecs(i)) << i;
            ASSERT_EQ(rows->field(6).value.toDateTime(),
                      QDateTime(QDate(2021, 8, 31), QTime(0, 0), Qt::UTC).addSecs(60 * i))
                << i;
            ASSERT_EQ(rows->field(7).value.toDouble(), i * 0.5) << i;
        }
        EXPECT_EQ(i, 2500);
    }
}

TEST_F(OdbcValues, DatesTheDriverCannotRepresentAreNullNotAMadeUpDay) {
    auto connection = db->connect();
    auto rows = connection->execute(
        "SELECT d::date AS d, d::timestamp AS t FROM (VALUES (1, '-infinity'), (2, 'infinity'), "
        "(3, '0044-03-15 BC'), (4, '12000-01-01'), (5, '2021-08-31')) v(n, d) ORDER BY n");
    QList<QVariant> dates, stamps;
    for (; !rows->eof(); rows->moveNext()) {
        dates << rows->field(0).value;
        stamps << rows->field(1).value;
    }
    ASSERT_EQ(dates.size(), 5);
    EXPECT_TRUE(dates[0].isNull());
    EXPECT_TRUE(dates[1].isNull());
    EXPECT_TRUE(dates[3].isNull());
    EXPECT_EQ(dates[4], QVariant(QDate(2021, 8, 31)));
    // Time stamps keep the era; the driver writes infinity as the last second of 9999.
    EXPECT_EQ(stamps[1].toDateTime(), QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC));
    EXPECT_EQ(stamps[2].toDateTime().date(), QDate(-44, 3, 15));
    EXPECT_TRUE(stamps[3].isNull());
}

TEST_F(OdbcValues, LongValuesArriveWholeBetweenShortOnesAcrossBlocks) {
    // Rows alternate between values far longer than a bound slot and short ones, over
    // several fetched blocks, so both the bound and the whole-value path meet in one block.
    db->run(
        "CREATE TABLE l (n integer, t text, b bytea, d numeric); "
        "INSERT INTO l SELECT i, CASE WHEN i % 3 = 0 THEN repeat('ä€' || i, 2000) "
        "ELSE 'short' || i END, CASE WHEN i % 5 = 0 THEN decode(repeat('ab', 9000), 'hex') "
        "ELSE '\\x01' END, CASE WHEN i % 7 = 0 THEN (repeat('9', 500) || '.5')::numeric "
        "ELSE i END FROM generate_series(1, 3000) i");
    for (int location : {DataLink::kServerSide, DataLink::kClientSide}) {
        auto connection = db->connect(location);
        auto rows = connection->execute("SELECT * FROM l ORDER BY n");
        int n = 0;
        for (; !rows->eof(); rows->moveNext()) {
            ++n;
            ASSERT_EQ(rows->field(0).value.toLongLong(), n);
            const QString text = rows->field(1).value.toString();
            const QString wanted = n % 3 == 0 ? QStringLiteral("ä€%1").arg(n).repeated(2000)
                                              : QStringLiteral("short%1").arg(n);
            ASSERT_EQ(text, wanted) << "row " << n;
            const QByteArray bytes = rows->field(2).value.toByteArray();
            ASSERT_EQ(bytes, n % 5 == 0 ? QByteArray(9000, '\xab') : QByteArray(1, '\x01'));
            const QString number = rows->field(3).value.value<DataLink::Decimal>().text;
            ASSERT_EQ(number, n % 7 == 0 ? QString(500, '9') + ".5" : QString::number(n));
        }
        EXPECT_EQ(n, 3000);
    }
}

TEST_F(OdbcValues, EmptyResultIsBothEofAndBof) {
    db->run("CREATE TABLE e (a integer)");
    for (int location : {DataLink::kServerSide, DataLink::kClientSide}) {
        auto connection = db->connect(location);
        auto rows = connection->execute("SELECT * FROM e");
        ASSERT_TRUE(rows);
        EXPECT_TRUE(rows->eof());
        EXPECT_TRUE(rows->bof());
        EXPECT_EQ(rows->fields().size(), 1u);
        if (location == DataLink::kClientSide) {
            EXPECT_EQ(rows->recordCount(), 0);
        }
        try {
            rows->moveNext();
            ADD_FAILURE() << "moving past the end must fail";
        } catch (const Failure& f) {
            EXPECT_EQ(f.number(), 3021);
        }
    }
}

TEST_F(OdbcValues, StatementsWithoutRowsGiveNoRecordset) {
    auto connection = db->connect();
    EXPECT_EQ(connection->execute("CREATE TABLE s (a integer)"), nullptr);
    EXPECT_EQ(connection->execute("UPDATE s SET a = 1"), nullptr);  // touches no row
    EXPECT_EQ(connection->execute("INSERT INTO s VALUES (1)"), nullptr);
}

TEST_F(OdbcValues, FailingStatementCarriesTheDriversNumberAndText) {
    auto connection = db->connect();
    try {
        connection->execute("SELECT * FROM no_such_table");
        FAIL() << "the statement must fail";
    } catch (const Failure& f) {
        EXPECT_TRUE(f.description().contains("relation \"no_such_table\" does not exist"))
            << f.description().toStdString();
    }
    // The connection stays usable after a failed statement.
    auto rows = connection->execute("SELECT 42");
    EXPECT_EQ(rows->field(0).value.toLongLong(), 42);
}

TEST_F(OdbcValues, TablesSchemaListsTablesByNameAndType) {
    db->run("CREATE TABLE listed (a integer); CREATE VIEW seen AS SELECT * FROM listed");
    auto connection = db->connect();
    auto tables = connection->openSchema(DataLink::kTablesSchema);
    QStringList entries;
    for (; !tables->eof(); tables->moveNext())
        entries << tables->field(QStringLiteral("TABLE_NAME")).value.toString() + "|" +
                       tables->field(QStringLiteral("TABLE_TYPE")).value.toString();
    EXPECT_TRUE(entries.contains("listed|TABLE")) << entries.join(", ").toStdString();
    EXPECT_TRUE(entries.contains("seen|VIEW")) << entries.join(", ").toStdString();
    EXPECT_THROW(connection->openSchema(4), Failure);
}

TEST_F(OdbcValues, ClosingTheConnectionReleasesItsOpenRecordsets) {
    auto connection = db->connect();
    auto rows = connection->execute("SELECT generate_series(1, 10)");
    connection->close();
    EXPECT_THROW(rows->moveNext(), Failure);
    rows->close();  // harmless after the connection freed its statement
}

}  // namespace
