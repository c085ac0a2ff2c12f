// The bytes of the files: header, subrecords, _NullFlags, backlink, end mark and memo file.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include "foxpro/Error.h"
#include "foxpro/Names.h"
#include "foxpro/Session.h"
#include "foxpro/Table.h"
#include "tests/unit/foxpro/TableDump.h"
#include "tests/unit/foxpro/TempFolder.h"

using foxpro::Session;

namespace {

unsigned byteAt(const std::string& s, std::size_t i) {
    return static_cast<unsigned char>(s.at(i));
}
unsigned le16(const std::string& s, std::size_t i) {
    return byteAt(s, i) | byteAt(s, i + 1) << 8;
}
unsigned le32(const std::string& s, std::size_t i) {
    return le16(s, i) | le16(s, i + 2) << 16;
}

TEST(FileFormat, HeaderSubrecordsNullFlagsAndBacklink) {
    TempFolder folder;
    auto session = Session::openFolder(folder.path());
    session->execute(
        "CREATE TABLE t (name C(10), qty I NOT NULL, born D, at T, ok L NOT NULL,"
        " note M, price Y, ratio B(8,2))");
    session->execute("INSERT INTO t VALUES ('a', 1, NULL, NULL, .T., NULL, 1, 2)");
    session->execute("INSERT INTO t VALUES ('b', 2, {^2021-08-31}, NULL, .F., 'x', 1, 2)");
    session->close();
    const std::string d = folder.read("t.dbf");
    const unsigned fields = 8 + 1;  // _NullFlags included
    EXPECT_EQ(byteAt(d, 0), 0x30u);
    EXPECT_EQ(le32(d, 4), 2u);
    EXPECT_EQ(le16(d, 8), 296u + 32u * fields);
    EXPECT_EQ(le16(d, 10), 1u + 10 + 4 + 8 + 8 + 1 + 4 + 8 + 8 + 1);
    EXPECT_EQ(byteAt(d, 28), 0x02u);  // has memo fields, no .cdx
    EXPECT_EQ(byteAt(d, 29), 0x03u);  // code page 1252
    struct Expected {
        const char* name;
        char type;
        unsigned offset, width, decimals, flags;
    };
    const Expected expected[] = {{"NAME", 'C', 1, 10, 0, 0x02},      {"QTY", 'I', 11, 4, 0, 0x04},
                                 {"BORN", 'D', 15, 8, 0, 0x02},      {"AT", 'T', 23, 8, 0, 0x06},
                                 {"OK", 'L', 31, 1, 0, 0x00},        {"NOTE", 'M', 32, 4, 0, 0x02},
                                 {"PRICE", 'Y', 36, 8, 4, 0x06},     {"RATIO", 'B', 44, 8, 2, 0x06},
                                 {"_NullFlags", '0', 52, 1, 0, 0x05}};
    for (unsigned i = 0; i < fields; ++i) {
        const std::string sub = d.substr(32 + 32 * i, 32);
        EXPECT_EQ(sub.substr(0, 11),
                  std::string(expected[i].name) + std::string(11 - strlen(expected[i].name), '\0'));
        EXPECT_EQ(sub[11], expected[i].type);
        EXPECT_EQ(le32(sub, 12), expected[i].offset) << expected[i].name;
        EXPECT_EQ(byteAt(sub, 16), expected[i].width) << expected[i].name;
        EXPECT_EQ(byteAt(sub, 17), expected[i].decimals) << expected[i].name;
        EXPECT_EQ(byteAt(sub, 18), expected[i].flags) << expected[i].name;
        EXPECT_EQ(sub.substr(19), std::string(13, '\0'));
    }
    EXPECT_EQ(byteAt(d, 32 + 32 * fields), 0x0Du);
    EXPECT_EQ(d.substr(33 + 32 * fields, 263), std::string(263, '\0'));
    // Records, then the end mark; null bits in field order over the nullable fields.
    const unsigned hl = le16(d, 8), rl = le16(d, 10);
    EXPECT_EQ(d.size(), hl + 2 * rl + 1);
    EXPECT_EQ(byteAt(d, d.size() - 1), 0x1Au);
    EXPECT_EQ(d[hl], ' ');
    // name bit0, born bit1, at bit2, note bit3, price bit4, ratio bit5
    EXPECT_EQ(byteAt(d, hl + 52), 0x0Eu);       // born, at, note NULL
    EXPECT_EQ(byteAt(d, hl + rl + 52), 0x04u);  // at NULL
    EXPECT_EQ(d.substr(hl + rl + 15, 8), "20210831");
    const std::string m = folder.read("t.fpt");
    ASSERT_EQ(m.size(), 512u + 64u);
    EXPECT_EQ(m.substr(0, 8), std::string("\0\0\0\x09\0\0\0\x40", 8));
    EXPECT_EQ(m.substr(512, 9), std::string("\0\0\0\x01\0\0\0\x01x", 9));
    EXPECT_EQ(le32(d, hl + rl + 32), 8u);
}

TEST(FileFormat, VarcharTablesAndLengthBits) {
    TempFolder folder;
    auto session = Session::openFolder(folder.path());
    session->execute("CREATE TABLE v (a V(5) NOT NULL, b V(4), c Q(3) NOT NULL, w W)");
    session->execute("INSERT INTO v VALUES ('ab', 'full', 'xyz', NULL)");
    session->close();
    const std::string d = folder.read("v.dbf");
    EXPECT_EQ(byteAt(d, 0), 0x32u);
    EXPECT_EQ(byteAt(d, 28), 0x02u);
    const unsigned hl = le16(d, 8);
    EXPECT_EQ(d.substr(hl + 1, 5), std::string("ab  \x02", 5));
    // a: length bit 0; b: length bit 1, null bit 2; c: length bit 3; w: null bit 4.
    EXPECT_EQ(byteAt(d, hl + 1 + 5 + 4 + 3 + 4), 0x11u);
    EXPECT_EQ(dumpTable(folder.file("v.dbf"), folder.file("v.fpt")),
              (std::vector<std::vector<std::string>>{{"ab", "full", "xyz", "NULL"}}));
}

TEST(FileFormat, ATableWithoutNullableFieldsHasNoNullFlags) {
    TempFolder folder;
    auto session = Session::openFolder(folder.path());
    session->execute("CREATE TABLE plain CODEPAGE=1251 (a C(3) NOT NULL, b N(4,1) NOT NULL)");
    session->close();
    const std::string d = folder.read("plain.dbf");
    EXPECT_EQ(le16(d, 8), 296u + 64u);
    EXPECT_EQ(le16(d, 10), 8u);
    EXPECT_EQ(byteAt(d, 28), 0x00u);
    EXPECT_EQ(byteAt(d, 29), 0xC9u);
    EXPECT_FALSE(folder.exists("plain.fpt"));
}

TEST(FileFormat, ALaterConnectionAppendsAfterTheCountedRecords) {
    TempFolder folder;
    for (int round = 0; round < 3; ++round) {
        auto session = Session::openFolder(folder.path());
        if (round == 0) session->execute("CREATE TABLE t (n I, m M)");
        session->execute("INSERT INTO t VALUES (" + std::to_string(round) + ", 'memo " +
                         std::to_string(round) + "')");
        session->close();
    }
    EXPECT_EQ(
        dumpTable(folder.file("t.dbf"), folder.file("t.fpt")),
        (std::vector<std::vector<std::string>>{{"0", "memo 0"}, {"1", "memo 1"}, {"2", "memo 2"}}));
}

TEST(FileFormat, TablesWrittenInUpperCaseResolve) {
    TempFolder folder;
    {
        auto session = Session::openFolder(folder.path());
        session->execute("CREATE TABLE t (n I)");
    }
    ASSERT_EQ(::rename(folder.file("t.dbf").c_str(), folder.file("T.DBF").c_str()), 0);
    { std::ofstream(folder.file("T.CDX")) << "index"; }
    { std::ofstream(folder.file("other.cdx")) << "kept"; }
    auto session = Session::openFolder(folder.path());
    session->execute("INSERT INTO t VALUES (1)");
    EXPECT_THROW(session->execute("CREATE TABLE [T] (n I)"), foxpro::Error);
    session->execute("DROP TABLE t");
    EXPECT_EQ(folder.snapshot().size(), 1u);  // other.cdx only
}

TEST(FileFormat, DropRemovesATableWithMemosWrittenByAnEarlierConnection) {
    TempFolder folder;
    {
        auto session = Session::openFolder(folder.path());
        session->execute("CREATE TABLE notes (n I, body M)");
        session->execute("INSERT INTO notes VALUES (1, 'a memo')");
    }
    auto session = Session::openFolder(folder.path());
    session->execute("DROP TABLE \"notes\"");
    EXPECT_TRUE(folder.snapshot().empty());
    session->execute("CREATE TABLE notes (n I, body M)");
}

TEST(FileFormat, AReadOnlyFolderIsToldAboutTheTable) {
    TempFolder folder;
    if (::mount("tmpfs", folder.path().c_str(), "tmpfs", MS_RDONLY, nullptr) != 0)
        GTEST_SKIP() << "cannot mount a read-only folder here";
    try {
        Session::openFolder(folder.path())->execute("CREATE TABLE t (n I, body M)");
        ADD_FAILURE() << "a table was created in a read-only folder";
    } catch (const foxpro::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create \"t.dbf\": Read-only file system.");
    }
    ::umount(folder.path().c_str());
}

TEST(FileFormat, CollatingSequencesOrderTheTableList) {
    TempFolder folder;
    {
        auto session = Session::openFolder(folder.path());
        session->execute("CREATE TABLE b (n I)");
        session->execute("CREATE TABLE a (n I)");
    }
    ASSERT_EQ(::rename(folder.file("b.dbf").c_str(), folder.file("B.DBF").c_str()), 0);
    EXPECT_EQ(Session::openFolder(folder.path(), Session::Collation::Machine)->tableNames(),
              (std::vector<std::string>{"B", "a"}));
    EXPECT_EQ(Session::openFolder(folder.path(), Session::Collation::General)->tableNames(),
              (std::vector<std::string>{"a", "B"}));
}

TEST(FileFormat, LinksInTheTargetAreNotFollowed) {
    TempFolder folder, outside;
    ASSERT_EQ(::symlink(outside.file("victim.dbf").c_str(), folder.file("t.dbf").c_str()), 0);
    auto session = Session::openFolder(folder.path());
    EXPECT_THROW(session->execute("INSERT INTO t VALUES (1)"), foxpro::Error);
    EXPECT_THROW(session->execute("CREATE TABLE t (n I)"), foxpro::Error);
    EXPECT_TRUE(outside.snapshot().empty());
}

TEST(Names, SafeFileNameComponents) {
    using foxpro::names::unsafeReason;
    for (const char* ok : {"orders", "Order Items", "заказы", "a.b", "x-y_z", "日本"})
        EXPECT_EQ(unsafeReason(ok), "") << ok;
    for (const char* bad : {"", ".", "..", "../x", "a/b", "a\\b", "/abs", ".hidden", "trail ",
                            "dot.", "tab\there", "\xFF\xFE"})
        EXPECT_NE(unsafeReason(bad), "") << bad;
    EXPECT_NE(unsafeReason(std::string("nul\0x", 5)), "");
    EXPECT_NE(unsafeReason(std::string(201, 'a')), "");
    EXPECT_EQ(foxpro::names::lower("ÄÖÜ Straße ЗАКАЗ Ωμέγα"), "äöü straße заказ ωμέγα");
    EXPECT_EQ(foxpro::names::upper("qty_äé"), "QTY_ÄÉ");
}

TEST(Sessions, AFolderThatIsMissingOrAFileDoesNotOpen) {
    TempFolder folder;
    try {
        Session::openFolder(folder.file("missing"));
        FAIL();
    } catch (const foxpro::Error& e) {
        EXPECT_EQ(e.number(), 202);
        EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos);
    }
    { std::ofstream(folder.file("plain.txt")) << "x"; }
    EXPECT_THROW(Session::openFolder(folder.file("plain.txt")), foxpro::Error);
    EXPECT_THROW(Session::openFolder(""), foxpro::Error);
}

}  // namespace
