// Tables of the same shapes as FoxPro-written reference tables must come out byte for byte
// alike where FoxPro's bytes are determined by the shapes and values.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "foxpro/RecordReader.h"
#include "foxpro/Session.h"
#include "foxpro/Table.h"
#include "tests/support/TestEnvironment.h"
#include "tests/unit/foxpro/TempFolder.h"

namespace {

std::string referenceFolder() {
    const std::string dir =
        TestEnvironment::sourceDir().toStdString() + "/../shared/reference/vfp/tables";
    std::ifstream probe(dir + "/fb2p_free.dbf");
    return probe ? dir : std::string();
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

unsigned le16(const std::string& s, std::size_t i) {
    return static_cast<unsigned char>(s[i]) | static_cast<unsigned char>(s[i + 1]) << 8;
}

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

// The reference record's value of one field as a literal of our dialect.
std::string literalFor(const foxpro::FieldDef& f, const foxpro::Cell& c) {
    char buffer[64];
    switch (c.kind) {
        case foxpro::Cell::Kind::Null:
            return "NULL";
        case foxpro::Cell::Kind::Empty:
            return f.type == 'D' || f.type == 'T' ? "{}" : f.type == 'L' ? "NULL" : "''";
        case foxpro::Cell::Kind::Logical:
            return c.logical ? ".T." : ".F.";
        case foxpro::Cell::Kind::Date:
            std::snprintf(buffer, sizeof buffer, "{^%04d-%02d-%02d}", c.year, c.month, c.day);
            return buffer;
        case foxpro::Cell::Kind::DateTime:
            std::snprintf(buffer, sizeof buffer, "{^%04d-%02d-%02d %02d:%02d:%02d}", c.year,
                          c.month, c.day, c.millis / 3600000, c.millis / 60000 % 60,
                          c.millis / 1000 % 60);
            return buffer;
        case foxpro::Cell::Kind::Number:
            if (f.type == 'B') {
                std::snprintf(buffer, sizeof buffer, "%.17g", c.number);
                return buffer;
            }
            return c.text;
        default:
            return quoted(c.text);
    }
}

// Copies `fields` of every reference record into `table` in `session`.
void copyRecords(const std::string& referenceDbf, foxpro::Session& session,
                 const std::string& table, const std::vector<std::string>& fields) {
    auto reference = foxpro::Table::open(referenceDbf, "", false);
    foxpro::RecordReader reader(reference->structure(), nullptr);
    std::string list;
    for (const auto& f : fields) list += (list.empty() ? "" : ", ") + f;
    for (std::uint32_t r = 0; r < reference->recordCount(); ++r) {
        const std::string record = reference->record(r);
        std::string values;
        for (const auto& name : fields) {
            const int i = reference->structure().find(name);
            values += (values.empty() ? "" : ", ") +
                      literalFor(reference->structure().fields()[i], reader.read(record, i));
        }
        session.execute("INSERT INTO " + table + " (" + list + ") VALUES (" + values + ")");
    }
}

TEST(ReferenceTables, PlainCharacterAndDateTableMatchesByteForByte) {
    const std::string dir = referenceFolder();
    if (dir.empty()) GTEST_SKIP() << "shared/reference/vfp is not beside the source tree";
    TempFolder folder;
    auto session = foxpro::Session::openFolder(folder.path());
    session->execute(
        "CREATE TABLE encuestas (PROMOTOR C(20) NOT NULL, IDENC C(20) NOT NULL,"
        " CALIFIC C(2) NOT NULL, FECHA D NOT NULL, RESULTADO C(10) NOT NULL)");
    copyRecords(dir + "/encuestas.dbf", *session, "encuestas",
                {"promotor", "idenc", "calific", "fecha", "resultado"});
    session->close();
    const std::string ours = folder.read("encuestas.dbf");
    const std::string theirs = readFile(dir + "/encuestas.dbf");
    // Everything but the last-update date, including subrecords, terminator and backlink.
    EXPECT_EQ(ours.substr(0, 1), theirs.substr(0, 1));
    EXPECT_EQ(ours.substr(4, 456 - 4), theirs.substr(4, 456 - 4));
    // The records themselves; FoxPro left out the end mark here, we write it.
    EXPECT_EQ(ours.substr(456, 2 * 61), theirs.substr(456, 2 * 61));
    EXPECT_EQ(ours.size(), theirs.size() + 1);
    EXPECT_EQ(ours.back(), '\x1A');
}

TEST(ReferenceTables, EveryTypeTableMatchesInFlagsLayoutAndNullBits) {
    const std::string dir = referenceFolder();
    if (dir.empty()) GTEST_SKIP() << "shared/reference/vfp is not beside the source tree";
    TempFolder folder;
    auto session = foxpro::Session::openFolder(folder.path());
    // The reference's shapes; its autoincrement field is left out (our dialect has none).
    session->execute(
        "CREATE TABLE fb2p_free (CARACTER C(30) NULL, FECHA D NULL, FECHORA T NULL,"
        " LOGICO L NOT NULL, DOBLE B(8,5) NOT NULL, FLOTANTE F(10,6) NOT NULL,"
        " NUMERICO N(12,3) NOT NULL, BLOB W NOT NULL, MONEDA Y NOT NULL, GENERAL G NOT NULL,"
        " ENTERO I NOT NULL, NOTAS M NOT NULL, VAR_BINARY Q(35) NOT NULL,"
        " VAR_CHAR V(36) NOT NULL, NOTASBIN M NOT NULL NOCPTRANS,"
        " CARC_BIN C(30) NOT NULL NOCPTRANS, VARCHARBIN V(37) NOT NULL NOCPTRANS)");
    const std::vector<std::string> copied = {
        "caracter", "fecha",  "fechora",    "logico",   "doble",    "flotante",  "numerico",
        "moneda",   "entero", "var_binary", "var_char", "carc_bin", "varcharbin"};
    copyRecords(dir + "/fb2p_free.dbf", *session, "fb2p_free", copied);
    session->close();

    auto ours = foxpro::Table::open(folder.file("fb2p_free.dbf"), "", false);
    auto theirs = foxpro::Table::open(dir + "/fb2p_free.dbf", "", false);
    const std::string ourBytes = folder.read("fb2p_free.dbf");
    const std::string theirBytes = readFile(dir + "/fb2p_free.dbf");
    EXPECT_EQ(ourBytes[0], theirBytes[0]);                  // 0x32
    EXPECT_EQ(ourBytes[28] & 0x02, theirBytes[28] & 0x02);  // memo fields
    EXPECT_EQ(ourBytes[29], theirBytes[29]);                // code page mark
    // Subrecords: type, width, decimals and flags byte for byte, displacement too up to the
    // field FoxPro had after them.
    auto subrecord = [](const std::string& bytes, const std::string& name) {
        for (std::size_t at = 32; bytes[at] != 0x0D; at += 32)
            if (bytes.compare(at, name.size(), name) == 0 && bytes[at + name.size()] == '\0')
                return bytes.substr(at, 32);
        return std::string();
    };
    for (const auto& f : theirs->structure().fields()) {
        if (f.name == "ID_AUTOINC") continue;
        const std::string a = subrecord(ourBytes, f.name), b = subrecord(theirBytes, f.name);
        ASSERT_FALSE(a.empty()) << f.name;
        EXPECT_EQ(a.substr(11, 1) + a.substr(16, 3), b.substr(11, 1) + b.substr(16, 3)) << f.name;
        EXPECT_EQ(a.substr(12, 4), b.substr(12, 4)) << f.name;
    }
    const std::string ourNull = subrecord(ourBytes, "_NullFlags");
    const std::string theirNull = subrecord(theirBytes, "_NullFlags");
    EXPECT_EQ(ourNull.substr(11, 1) + ourNull.substr(16, 3),
              theirNull.substr(11, 1) + theirNull.substr(16, 3));
    EXPECT_EQ(le16(ourBytes, 8) + 32, le16(theirBytes, 8));  // one subrecord fewer
    EXPECT_EQ(le16(ourBytes, 10) + 4, le16(theirBytes, 10));

    // The copied values are stored as FoxPro stored them, null and length bits included.
    ASSERT_EQ(ours->recordCount(), theirs->recordCount());
    for (std::uint32_t r = 0; r < ours->recordCount(); ++r) {
        const std::string a = ours->record(r), b = theirs->record(r);
        for (const auto& name : copied) {
            const auto& fa = ours->structure().fields()[ours->structure().find(name)];
            const auto& fb = theirs->structure().fields()[theirs->structure().find(name)];
            // FoxPro kept milliseconds in FECHORA; our literals have whole seconds.
            const int width = fa.type == 'T' ? 4 : fa.width;
            EXPECT_EQ(a.substr(fa.offset, width), b.substr(fb.offset, width))
                << "record " << r << " field " << name;
        }
        EXPECT_EQ(a.substr(ours->structure().nullFlagsOffset(), 1),
                  b.substr(theirs->structure().nullFlagsOffset(), 1))
            << "record " << r;
    }
}

TEST(ReferenceTables, MemoFileHeaderMatches) {
    const std::string dir = referenceFolder();
    if (dir.empty()) GTEST_SKIP() << "shared/reference/vfp is not beside the source tree";
    TempFolder folder;
    auto session = foxpro::Session::openFolder(folder.path());
    session->execute("CREATE TABLE m (NOTE M)");
    session->close();
    // An empty memo file is FoxPro's exactly: 512 bytes, next block 8, block size 64.
    EXPECT_EQ(folder.read("m.fpt"), readFile(dir + "/fb2p_dbf.fpt"));
}

}  // namespace
