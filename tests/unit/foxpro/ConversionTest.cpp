// Values converted as FoxPro converts them, read back with the engine's own reader.
#include <gtest/gtest.h>

#include "foxpro/CodePage.h"
#include "foxpro/Error.h"
#include "foxpro/FieldEncoder.h"
#include "foxpro/Session.h"
#include "tests/unit/foxpro/TableDump.h"
#include "tests/unit/foxpro/TempFolder.h"

using foxpro::Session;

namespace {

class Conversion : public ::testing::Test {
protected:
    // The value stored for `literal` in a one-column table of `type`; "refused N" on failure.
    std::string stored(const std::string& type, const std::string& literal,
                       const std::string& options = "") {
        TempFolder folder;
        auto session = Session::openFolder(folder.path());
        session->execute("CREATE TABLE t " + options + " (v " + type + ")");
        try {
            session->execute("INSERT INTO t VALUES (" + literal + ")");
        } catch (const foxpro::Error& e) {
            return "refused " + std::to_string(e.number());
        }
        session->close();
        const auto rows =
            dumpTable(folder.file("t.dbf"), folder.exists("t.fpt") ? folder.file("t.fpt") : "");
        return rows.at(0).at(0);
    }
};

TEST_F(Conversion, IntegersRoundHalfAwayFromZeroWithinFoxProsRange) {
    EXPECT_EQ(stored("I", "2.5"), "3");
    EXPECT_EQ(stored("I", "-2.5"), "-3");
    EXPECT_EQ(stored("I", "2.4999999"), "2");
    EXPECT_EQ(stored("I", "1e3"), "1000");
    EXPECT_EQ(stored("I", "2147483647"), "2147483647");
    EXPECT_EQ(stored("I", "-2147483647"), "-2147483647");
    EXPECT_EQ(stored("I", "-2147483648"), "refused 39");
    EXPECT_EQ(stored("I", "2147483646.5"), "2147483647");
    EXPECT_EQ(stored("I", "2147483647.5"), "refused 39");
    EXPECT_EQ(stored("I", "1e300"), "refused 39");
    EXPECT_EQ(stored("I", "0.0000001"), "0");
}

TEST_F(Conversion, NumericWidthsDropDecimalsBeforeOverflowing) {
    EXPECT_EQ(stored("N(20,6)", "12.5"), "12.500000");
    EXPECT_EQ(stored("DEC", "-0.0000005"), "-0.000001");
    EXPECT_EQ(stored("DEC", "0.0000004"), "0.000000");
    EXPECT_EQ(stored("DEC", "1234567890123.456789"), "1234567890123.456789");
    EXPECT_EQ(stored("DEC", "12345678901234567.5"), "12345678901234567.50");
    EXPECT_EQ(stored("DEC", "1234567890123456789.5"), "1234567890123456790");
    EXPECT_EQ(stored("DEC", "123456789012345678901"), "refused 39");
    EXPECT_EQ(stored("N(5,2)", "1.005"), "1.01");
    EXPECT_EQ(stored("N(5,2)", "123.456"), "123.5");
    EXPECT_EQ(stored("N(5,2)", "99999.4"), "99999");
    EXPECT_EQ(stored("N(5,2)", "99999.5"), "refused 39");
    EXPECT_EQ(stored("N(5,2)", "-9999"), "-9999");
    EXPECT_EQ(stored("N(5,2)", "-99999"), "refused 39");
    EXPECT_EQ(stored("F(10,3)", "9.9996"), "10.000");
    EXPECT_EQ(stored("N(3)", "1E2"), "100");
    EXPECT_EQ(stored("N(3)", "'7'"), "refused 9");
}

TEST_F(Conversion, DoublesAndCurrency) {
    EXPECT_EQ(stored("B", "0.1"), "0.10000000000000001");
    EXPECT_EQ(stored("B", "-1.5e300"), "-1.5000000000000001e+300");
    EXPECT_EQ(stored("B", "1e999"), "refused 39");
    EXPECT_EQ(stored("Y", "12.34567"), "12.3457");
    EXPECT_EQ(stored("Y", "-0.00005"), "-0.0001");
    EXPECT_EQ(stored("Y", "922337203685477.5807"), "922337203685477.5807");
    EXPECT_EQ(stored("Y", "1e20"), "refused 39");
}

TEST_F(Conversion, TextsAreCutAndEncodedInTheTablesCodePage) {
    EXPECT_EQ(stored("C(5)", "'abcdefgh'"), "abcde");
    EXPECT_EQ(stored("C(10)", "'Zoë ☃ Ω'"), "Zoë ? ?");
    EXPECT_EQ(stored("C(10)", "'Иванов'", "CODEPAGE=1251"), "Иванов");
    EXPECT_EQ(stored("C(10)", "'Zoë Ω'", "CODEPAGE=1253"), "Zo? Ω");
    EXPECT_EQ(stored("C(4)", "'ÄÖÜß'", "CODEPAGE=437"), "ÄÖÜß");
    EXPECT_EQ(stored("C(6)", "'日本語'", "CODEPAGE=932"), "日本語");
    EXPECT_EQ(stored("C(3)", "'a''b'"), "a'b");
    EXPECT_EQ(stored("V(10)", "'short'"), "short");
    EXPECT_EQ(stored("V(3)", "'longer'"), "lon");
    EXPECT_EQ(stored("C(3)", "{^2021-01-01}"), "refused 9");
    EXPECT_EQ(stored("M", "12"), "refused 9");
}

TEST_F(Conversion, LongMemosSurviveWhole) {
    std::string text;
    for (int i = 0; i < 800; ++i) text += "Zoë O''Neil " + std::to_string(i) + " ";
    std::string expected;
    for (int i = 0; i < 800; ++i) expected += "Zoë O'Neil " + std::to_string(i) + " ";
    EXPECT_EQ(stored("M", "'" + text + "'"), expected);
    EXPECT_EQ(stored("M", "''"), "");
}

TEST_F(Conversion, DatesTakeDateLiteralsOnly) {
    EXPECT_EQ(stored("D", "{^2021-08-31}"), "2021-08-31");
    EXPECT_EQ(stored("D", "{^2021-08-31 13:05:09}"), "2021-08-31");
    EXPECT_EQ(stored("D", "{^0001-01-01}"), "0001-01-01");
    EXPECT_EQ(stored("D", "{}"), "");
    EXPECT_EQ(stored("T", "{^2021-08-31}"), "2021-08-31 00:00:00");
    EXPECT_EQ(stored("T", "{^1899-12-30 13:05:09}"), "1899-12-30 13:05:09");
    EXPECT_EQ(stored("T", "{^2021-08-31 01:05:09 PM}"), "2021-08-31 13:05:09");
    EXPECT_EQ(stored("T", "{^9999-12-31 23:59:59}"), "9999-12-31 23:59:59");
    EXPECT_EQ(stored("D", "'2021-08-31'"), "refused 9");
    EXPECT_EQ(stored("T", "'08/31/2021 13:05:09'"), "refused 9");
    EXPECT_EQ(stored("D", "20210831"), "refused 9");
    EXPECT_EQ(stored("D", "{^2021-13-01}"), "refused 2034");
    EXPECT_EQ(stored("T", "{^2021-01-01 24:00:00}"), "refused 2034");
    EXPECT_EQ(stored("D", "{^2100-02-29}"), "refused 2034");
    EXPECT_EQ(stored("D", "{^2000-02-29}"), "2000-02-29");
}

TEST_F(Conversion, LogicalsTakeLogicalLiteralsOnly) {
    EXPECT_EQ(stored("L", ".T."), "T");
    EXPECT_EQ(stored("L", ".n."), "F");
    EXPECT_EQ(stored("L", "1"), "refused 9");
    EXPECT_EQ(stored("L", "'True'"), "refused 9");
}

TEST(FixedFormat, RoundsTheDecimalTextItself) {
    std::string out;
    const std::pair<const char*, const char*> cases[] = {
        {"0.5", "1"},    {"-0.5", "-1"},      {"0.4", "0"}, {"-0.4", "0"}, {"999.5", "1000"},
        {"1e-400", "0"}, {"00012.000", "12"}, {".5", "1"},  {"5.", "5"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(foxpro::formatFixed(c.first, 0, out)) << c.first;
        EXPECT_EQ(out, c.second) << c.first;
    }
    EXPECT_TRUE(foxpro::formatFixed("1.23456789", 4, out));
    EXPECT_EQ(out, "1.2346");
    EXPECT_FALSE(foxpro::formatFixed("1.2.3", 0, out));
    EXPECT_FALSE(foxpro::formatFixed("abc", 0, out));
}

TEST(CodePages, MarksAndUnrepresentableCharacters) {
    EXPECT_EQ(foxpro::CodePage::forNumber(1252)->mark(), 0x03);
    EXPECT_EQ(foxpro::CodePage::forNumber(1251)->mark(), 0xC9);
    EXPECT_EQ(foxpro::CodePage::forNumber(437)->mark(), 0x01);
    EXPECT_EQ(foxpro::CodePage::forMark(0x7B)->number(), 932);
    EXPECT_EQ(foxpro::CodePage::forNumber(65001), nullptr);
    EXPECT_EQ(foxpro::CodePage::forMark(0), nullptr);
    std::string out;
    foxpro::CodePage::forNumber(1252)->encode("€é\xFF\xFEz😀", out);
    EXPECT_EQ(out, "\x80\xE9??z?");
    EXPECT_EQ(foxpro::CodePage::forNumber(1252)->decode("\x80\xE9"), "€é");
}

}  // namespace
