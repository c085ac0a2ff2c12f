// Every table shape the engine writes, read back by python3-dbf, python3-dbfread and pgdbf
// (loaded into PostgreSQL when the test server runs).
#include <gtest/gtest.h>

#include <QDate>
#include <cmath>

#include "foxpro/Session.h"
#include "tests/integration/foxpro/Referee.h"
#include "tests/unit/foxpro/TempFolder.h"

namespace {

struct Column {
    const char* name;
    char type;
    int length;
    int decimals;
};

// What a reader returned for one value, compared with what was written ("" for NULL).
// dbfread and pgdbf do not read _NullFlags: a NULL comes back as their blank for the type.
bool sameValue(const QString& reader, const Column& c, const QString& expected,
               const QJsonValue& actual, QString& shown) {
    shown = QString::fromUtf8(QJsonDocument(QJsonArray{actual}).toJson(QJsonDocument::Compact));
    if (expected.isNull()) {
        if (actual.isNull()) return true;
        if (reader == QLatin1String("dbf")) return false;
        const QString s = actual.isString() ? actual.toString() : QString();
        return (actual.isDouble() && actual.toDouble() == 0) || actual.isBool()
                   ? !actual.toBool()
                   : s.isEmpty() || s == QLatin1String("f") ||
                         (s.toDouble() == 0 && !s.isEmpty() && s.at(0).isDigit());
    }
    switch (c.type) {
        case 'N':
        case 'F':
        case 'I':
        case 'B':
        case 'Y': {
            const double want = expected.toDouble();
            const double got = actual.isString() ? actual.toString().toDouble() : actual.toDouble();
            // pgdbf prints a B value with the field's decimals.
            const double tolerance = reader == QLatin1String("pgdbf") && c.type == 'B'
                                         ? 0.5 * std::pow(10.0, -c.decimals)
                                         : std::max(1e-12, std::fabs(want) * 1e-15);
            return std::fabs(got - want) <= tolerance;
        }
        case 'V': {
            // dbfread does not read the length byte of a V field: it returns the whole width.
            QString s = actual.toString();
            if (reader == QLatin1String("dbfread") && !s.isEmpty() && s.back().unicode() < 0x20) {
                s.chop(1);
                while (s.endsWith(QLatin1Char(' '))) s.chop(1);
            }
            return s == expected;
        }
        case 'L':
            if (actual.isBool()) return actual.toBool() == (expected == QLatin1String("T"));
            return actual.toString() == (expected == QLatin1String("T") ? "t" : "f");
        default:
            return actual.toString() == expected;
    }
}

void expectTable(const QString& dbf, const std::vector<Column>& columns,
                 const std::vector<std::vector<QString>>& rows, const QStringList& readers,
                 const QString& encoding = QStringLiteral("cp1252")) {
    for (const QString& reader : readers) {
        SCOPED_TRACE(reader.toStdString());
        const RefereeResult r = runReferee(reader, dbf, encoding);
        ASSERT_TRUE(r.ok) << r.complaint.toStdString();
        ASSERT_EQ(r.fields.size(), static_cast<int>(columns.size()));
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const QJsonObject f = r.fields.at(static_cast<int>(i)).toObject();
            EXPECT_EQ(f.value("name").toString(), QString(columns[i].name));
            if (reader == QLatin1String("pgdbf")) continue;  // PostgreSQL types instead
            EXPECT_EQ(f.value("type").toString(), QString(QChar(columns[i].type)));
            EXPECT_EQ(f.value("length").toInt(), columns[i].length) << columns[i].name;
            EXPECT_EQ(f.value("decimals").toInt(), columns[i].decimals) << columns[i].name;
        }
        ASSERT_EQ(r.records.size(), static_cast<int>(rows.size()));
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const QJsonArray values = r.records.at(static_cast<int>(row)).toArray();
            for (std::size_t i = 0; i < columns.size(); ++i) {
                QString shown;
                EXPECT_TRUE(sameValue(reader, columns[i], rows[row][i],
                                      values.at(static_cast<int>(i)), shown))
                    << "row " << row << " column " << columns[i].name << ": wrote "
                    << rows[row][i].toStdString() << ", read " << shown.toStdString();
            }
        }
    }
}

const QStringList kAllReaders = {"dbf", "dbfread", "pgdbf"};

TEST(Referees, ReadTheTablesOfAConversionRun) {
    TempFolder folder;
    auto session = foxpro::Session::openFolder(folder.path());
    session->execute(
        "CREATE TABLE \"orders\"([id] INT,[customer] CHAR(254),[price] DEC,[ratio] DOUBLE,"
        "[created] CHAR(25),[born] CHAR(12));");
    session->execute(
        "INSERT INTO [orders] VALUES (7, 'O''Neil', 12.5, 0.25, "
        "'08/31/2021 13:05:09', '08/31/2021');");
    session->execute(
        "INSERT INTO [orders] VALUES (-2147483647, 'Zoë Ångström € Иванов', "
        "-1234567890123.123456, -1.5e6,NULL, NULL);");
    session->execute("INSERT INTO [orders] VALUES (NULL,NULL,NULL,NULL,NULL,NULL);");
    session->close();
    const std::vector<Column> columns = {{"ID", 'I', 4, 0},       {"CUSTOMER", 'C', 254, 0},
                                         {"PRICE", 'N', 20, 6},   {"RATIO", 'B', 8, 0},
                                         {"CREATED", 'C', 25, 0}, {"BORN", 'C', 12, 0}};
    const QString null;
    expectTable(
        QString::fromStdString(folder.file("orders.dbf")), columns,
        {{"7", "O'Neil", "12.5", "0.25", "08/31/2021 13:05:09", "08/31/2021"},
         {"-2147483647", "Zoë Ångström € ??????", "-1234567890123.123456", "-1500000", null, null},
         {null, null, null, null, null, null}},
        kAllReaders);
}

TEST(Referees, ReadEveryTypeTheyKnow) {
    TempFolder folder;
    auto session = foxpro::Session::openFolder(folder.path());
    session->execute(
        "CREATE TABLE [All Types] (c C(20), n N(18,4), f F(12,3), i I, b B(8,6),"
        " y Y, d D, t T, l L, m M)");
    QString memo, memoSql;
    for (int i = 0; memo.size() < 6000; ++i) {
        memo += QStringLiteral("Zeile %1: Zoë O'Neil – naïve café ").arg(i);
        memoSql += QStringLiteral("Zeile %1: Zoë O''Neil – naïve café ").arg(i);
    }
    memo += QStringLiteral("Ende");
    memoSql += QStringLiteral("Ende");
    session->execute(("INSERT INTO [all types] VALUES ('it''s', 12345678901234.5678, -0.125, "
                      "2147483647, 3.141592653589793, 922337203.5807, {^1999-12-31}, "
                      "{^2021-08-31 23:59:59}, .T., '" +
                      memoSql + "')")
                         .toStdString());
    session->execute(
        "INSERT INTO [all types] VALUES ('', -99999999999.9999, 99999999.999, 0, "
        "-1e-5, -0.0001, {^0001-01-01}, {^1900-01-01 00:00:00}, .F., 'short')");
    session->execute(
        "INSERT INTO [all types] VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL,"
        " NULL, NULL, NULL)");
    session->close();
    const std::vector<Column> columns = {{"C", 'C', 20, 0}, {"N", 'N', 18, 4}, {"F", 'F', 12, 3},
                                         {"I", 'I', 4, 0},  {"B", 'B', 8, 6},  {"Y", 'Y', 8, 4},
                                         {"D", 'D', 8, 0},  {"T", 'T', 8, 0},  {"L", 'L', 1, 0},
                                         {"M", 'M', 4, 0}};
    const QString null;
    const std::vector<std::vector<QString>> rows = {
        {"it's", "12345678901234.5678", "-0.125", "2147483647", "3.141592653589793",
         "922337203.5807", "1999-12-31", "2021-08-31T23:59:59", "T", memo},
        {"", "-99999999999.9999", "99999999.999", "0", "-1e-5", "-0.0001", "0001-01-01",
         "1900-01-01T00:00:00", "F", "short"},
        {null, null, null, null, null, null, null, null, null, null}};
    // pgdbf declares F(12,3) as NUMERIC(3), which PostgreSQL cannot hold these values in;
    // its reading is checked on the run's shapes above and on the F-less table below.
    expectTable(QString::fromStdString(folder.file("all types.dbf")), columns, rows,
                {"dbf", "dbfread"});
}

TEST(Referees, ReadNonLatinTablesInTheirCodePage) {
    TempFolder folder;
    auto session = foxpro::Session::openFolder(folder.path());
    session->execute("CREATE TABLE \"Заказы\" CODEPAGE=1251 ([Name] C(30), [Summe] N(10,2), m M)");
    session->execute("INSERT INTO \"заказы\" VALUES ('Иванов О''Нил', -5.25, 'Привет, мир')");
    // Field names in the code page too; pgdbf passes them through unconverted, so only the
    // Python readers take this one.
    session->execute("CREATE TABLE [Имена] CODEPAGE=1251 ([Имя] C(10), [Ещё_поле] I)");
    session->execute("INSERT INTO [имена] VALUES ('Пётр', 1)");
    session->close();
    ASSERT_TRUE(folder.exists("заказы.dbf"));
    expectTable(QString::fromStdString(folder.file("заказы.dbf")),
                {{"NAME", 'C', 30, 0}, {"SUMME", 'N', 10, 2}, {"M", 'M', 4, 0}},
                {{"Иванов О'Нил", "-5.25", "Привет, мир"}}, kAllReaders, QStringLiteral("cp1251"));
    expectTable(QString::fromStdString(folder.file("имена.dbf")),
                {{"ИМЯ", 'C', 10, 0}, {"ЕЩЁ_ПОЛЕ", 'I', 4, 0}}, {{"Пётр", "1"}}, {"dbf", "dbfread"},
                QStringLiteral("cp1251"));
}

TEST(Referees, ReadVarcharTables) {
    // python3-dbf and pgdbf do not open tables of type 0x32; dbfread does (without W).
    TempFolder folder;
    auto session = foxpro::Session::openFolder(folder.path());
    session->execute("CREATE TABLE v (a V(10) NOT NULL, b V(5) NOT NULL, c C(3) NOT NULL)");
    session->execute("INSERT INTO v VALUES ('short', 'exact', 'x')");
    session->execute("INSERT INTO v VALUES ('', 'toolong', 'y')");
    session->close();
    expectTable(QString::fromStdString(folder.file("v.dbf")),
                {{"A", 'V', 10, 0}, {"B", 'V', 5, 0}, {"C", 'C', 3, 0}},
                {{"short", "exact", "x"}, {"", "toolo", "y"}}, {"dbfread"});
}

}  // namespace
