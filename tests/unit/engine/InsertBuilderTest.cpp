#include <gtest/gtest.h>

#include <QDateTime>

#include "engine/CreateTableBuilder.h"
#include "engine/InsertBuilder.h"
#include "tests/support/QtPrinters.h"

namespace {

using DataLink::Field;

const RegionalSettings kUs = RegionalSettings::fromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
const RegionalSettings kGerman = RegionalSettings::fromLocale(QLocale(QLocale::German, QLocale::Germany));

QVariant decimal(const char* text) { return QVariant::fromValue(DataLink::Decimal{QString::fromLatin1(text)}); }

// Builds the row statement the way the run does: numeric positions come from the CREATE
// TABLE builder over the same fields.
QString row(const RegionalSettings& settings, const std::vector<Field>& fields, const QString& table = "t") {
    CreateTableBuilder create;
    create.begin(table);
    for (const Field& f : fields) create.addField(f, nullptr);
    create.finish();
    InsertBuilder insert(settings);
    insert.beginTable(table, create.numericColumns());
    insert.beginRow();
    for (const Field& f : fields) insert.addField(f);
    return insert.finishRow();
}

Field text(const QVariant& v) { return Field{"s", 202, v}; }
Field integer(const QVariant& v) { return Field{"i", 3, v}; }

TEST(RegionalSettingsTest, ReadsSeparatorsAndDateOrder) {
    EXPECT_EQ(kUs.decimalPoint, QLatin1Char('.'));
    EXPECT_EQ(kUs.dateOrder, RegionalSettings::DateOrder::MonthDayYear);
    EXPECT_EQ(kUs.dateSeparator, QLatin1Char('/'));
    EXPECT_EQ(kGerman.decimalPoint, QLatin1Char(','));
    EXPECT_EQ(kGerman.groupSeparator, QLatin1Char('.'));
    EXPECT_EQ(kGerman.dateOrder, RegionalSettings::DateOrder::DayMonthYear);
    EXPECT_EQ(kGerman.dateSeparator, QLatin1Char('.'));
}

TEST(InsertRow, PeopleExample) {
    const QString s = row(kUs, {Field{"id", 3, qlonglong(7)}, Field{"name", 202, QString("O'Neil")},
                                Field{"born", 133, QDate(2021, 8, 31)}, Field{"note", 202, QVariant()}},
                          "people");
    EXPECT_EQ(s, "INSERT INTO [people] VALUES (7, 'O''Neil', '08/31/2021',NULL);");
}

TEST(InsertRow, NullsAndEmptyTexts) {
    EXPECT_EQ(row(kUs, {integer(QVariant()), text("x")}), "INSERT INTO [t] VALUES (NULL, 'x');");
    EXPECT_EQ(row(kUs, {integer(5), text(QVariant()), text("x")}), "INSERT INTO [t] VALUES (5,NULL, 'x');");
    EXPECT_EQ(row(kUs, {integer(5), text(QString(""))}), "INSERT INTO [t] VALUES (5,NULL);");
    EXPECT_EQ(row(kUs, {text(QString("")), text(QVariant())}), "INSERT INTO [t] VALUES (NULL,NULL);");
}

TEST(InsertRow, EscapingLineBreaksAndTheCut) {
    EXPECT_EQ(row(kUs, {text("a\r\nb\nc\rd")}), "INSERT INTO [t] VALUES ('abcd');");
    const QString quotes = QString(300, QLatin1Char('\''));
    // Cut to 254 characters first, then every apostrophe doubled.
    EXPECT_EQ(row(kUs, {text(quotes)}), "INSERT INTO [t] VALUES ('" + QString(508, QLatin1Char('\'')) + "');");
    const QString longText = QString(253, QLatin1Char('x')) + QString::fromUtf8("😀") + "tail";
    EXPECT_EQ(row(kUs, {text(longText)}), "INSERT INTO [t] VALUES ('" + QString(253, QLatin1Char('x')) + "');");
}

TEST(InsertRow, NumericColumnsAreUnquotedWithAPoint) {
    for (const RegionalSettings& s : {kUs, kGerman}) {
        EXPECT_EQ(row(s, {Field{"d", 5, 2.5}, Field{"n", 131, decimal("-19.990")}, Field{"r", 4, QVariant(0.1f)}}),
                  "INSERT INTO [t] VALUES (2.5, -19.990, 0.1);");
        EXPECT_EQ(row(s, {Field{"d", 5, 0.1}, integer(qlonglong(-9000000000LL))}),
                  "INSERT INTO [t] VALUES (0.1, -9000000000);");
    }
    // A numeric column holding a text with a decimal comma.
    EXPECT_EQ(row(kGerman, {Field{"n", 131, QString("3,5")}}), "INSERT INTO [t] VALUES (3.5);");
    EXPECT_EQ(row(kUs, {Field{"n", 131, QString("True")}, Field{"m", 131, QString("False")}}),
              "INSERT INTO [t] VALUES (1, 0);");
}

TEST(InsertRow, DecimalCommaTextDependsOnWhetherTheTableHasNumericColumns) {
    EXPECT_EQ(row(kGerman, {integer(1), text("3,5")}), "INSERT INTO [t] VALUES (1, '3,5');");
    EXPECT_EQ(row(kGerman, {text("3,5")}), "INSERT INTO [t] VALUES ('3.5');");
    // With a decimal point, a comma in a text is left alone.
    EXPECT_EQ(row(kUs, {text("1,234")}), "INSERT INTO [t] VALUES ('1,234');");
    EXPECT_EQ(row(kUs, {text("3,5")}), "INSERT INTO [t] VALUES ('3,5');");
    // Cleaned to 1.5.2021 would read as a date; the German short date does.
    EXPECT_EQ(row(kGerman, {text("31,08,2021")}), "INSERT INTO [t] VALUES ('31,08,2021');");
    EXPECT_EQ(row(kGerman, {text("31.08.2021")}), "INSERT INTO [t] VALUES ('08/31/2021');");
}

TEST(InsertRow, TypedDatesAndTimes) {
    for (const RegionalSettings& s : {kUs, kGerman}) {
        EXPECT_EQ(row(s, {Field{"d", 133, QDate(2021, 8, 31)}}), "INSERT INTO [t] VALUES ('08/31/2021');");
        EXPECT_EQ(row(s, {Field{"ts", 135, QDateTime(QDate(2021, 8, 31), QTime(13, 5, 9))}}),
                  "INSERT INTO [t] VALUES ('08/31/2021 13:05:09');");
        EXPECT_EQ(row(s, {Field{"ts", 135, QDateTime(QDate(2021, 8, 31), QTime(0, 0))}}),
                  "INSERT INTO [t] VALUES ('08/31/2021');");
        EXPECT_EQ(row(s, {Field{"tm", 134, QTime(13, 5, 9)}}), "INSERT INTO [t] VALUES ('12/30/1899 13:05:09');");
        EXPECT_EQ(row(s, {Field{"d", 133, QDate(812, 1, 2)}}), "INSERT INTO [t] VALUES ('01/02/0812');");
    }
}

struct DateTextCase {
    const char* text;
    const char* us;      // expected value with month-first settings
    const char* german;  // expected value with the German settings
};

TEST(InsertRow, DateTestOnTexts) {
    const DateTextCase cases[] = {
        {"2021-08-31", "'08/31/2021'", "'08/31/2021'"},
        {"2021-08-31 13:05:09.25", "'08/31/2021 13:05:09'", "'08/31/2021 13:05:09'"},
        {"2021-08-31T07:30", "'08/31/2021 07:30:00'", "'08/31/2021 07:30:00'"},
        {"8/31/2021", "'08/31/2021'", "'8/31/2021'"},
        {"31.08.2021 13:05", "'31.08.2021 13:05'", "'08/31/2021 13:05:00'"},
        {"13:05:09", "'12/30/1899 13:05:09'", "'12/30/1899 13:05:09'"},
        {"8/31/21", "'8/31/21'", "'8/31/21'"},
        {"1-2", "'1-2'", "'1-2'"},
        {"3.5", "'3.5'", "'3.5'"},
        {"2021-02-30", "'2021-02-30'", "'2021-02-30'"},
        {"25:00", "'25:00'", "'25:00'"},
        {"2021-08-31 13:05:09+02", "'2021-08-31 13:05:09+02'", "'2021-08-31 13:05:09+02'"},
    };
    for (const DateTextCase& c : cases) {
        EXPECT_EQ(row(kUs, {integer(1), text(c.text)}), QString("INSERT INTO [t] VALUES (1, %1);").arg(c.us)) << c.text;
        EXPECT_EQ(row(kGerman, {integer(1), text(c.text)}), QString("INSERT INTO [t] VALUES (1, %1);").arg(c.german)) << c.text;
    }
}

TEST(InsertRow, TruthValuesAndOtherTypesInPlainColumns) {
    EXPECT_EQ(row(kUs, {integer(1), Field{"b", 11, true}, Field{"b", 11, false}}),
              "INSERT INTO [t] VALUES (1, 'True', 'False');");
    EXPECT_EQ(row(kGerman, {integer(1), Field{"money", 6, 12.5}}), "INSERT INTO [t] VALUES (1, '12,5');");
    EXPECT_EQ(row(kGerman, {Field{"money", 6, 12.5}}), "INSERT INTO [t] VALUES ('12.5');");
}

TEST(InsertRow, LongBinaryGivesNoValueAndKeepsLaterPositions) {
    EXPECT_EQ(row(kUs, {integer(1), Field{"blob", 205, QByteArray("xyz")}, Field{"n", 3, 42}, text("a")}),
              "INSERT INTO [t] VALUES (1, 42, 'a');");
}

TEST(InsertRow, NumericTestFollowsTheSettings) {
    const char* usNumbers[] = {"12", " -1,234.5 ", "+.5", "1e10", "1.5E-3", "1,234,567"};
    const char* usTexts[] = {"1,23", "12,34.5", "abc", "1e", "-", ".", "1.2.3", "0x10"};
    for (const char* n : usNumbers) EXPECT_TRUE(ValueTests::isNumeric(QString(n), kUs)) << n;
    for (const char* n : usTexts) EXPECT_FALSE(ValueTests::isNumeric(QString(n), kUs)) << n;
    EXPECT_TRUE(ValueTests::isNumeric(QString("1.234,5"), kGerman));
    EXPECT_FALSE(ValueTests::isNumeric(QString("3.5"), kGerman));
}

TEST(InsertRow, BuffersCarryNothingFromOneRowToTheNext) {
    InsertBuilder insert(kUs);
    insert.beginTable("t", "0, ");
    insert.beginRow();
    insert.addField(integer(1));
    insert.addField(text("first"));
    EXPECT_EQ(insert.finishRow(), "INSERT INTO [t] VALUES (1, 'first');");
    insert.beginRow();
    insert.addField(integer(2));
    insert.addField(text("x"));
    EXPECT_EQ(insert.finishRow(), "INSERT INTO [t] VALUES (2, 'x');");
}

}  // namespace
