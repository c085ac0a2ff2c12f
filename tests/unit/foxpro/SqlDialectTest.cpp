// The statements the conversion run and scripts send, and every kind of refusal.
#include <gtest/gtest.h>

#include <random>

#include "foxpro/Error.h"
#include "foxpro/Session.h"
#include "tests/unit/foxpro/TableDump.h"
#include "tests/unit/foxpro/TempFolder.h"

using foxpro::Session;
using Rows = std::vector<std::vector<std::string>>;

namespace {

class SqlDialect : public ::testing::Test {
protected:
    void SetUp() override { session = Session::openFolder(folder.path()); }
    Rows rows(const std::string& file) {
        session->flush();
        const std::string memo = file.substr(0, file.size() - 4) + ".fpt";
        return dumpTable(folder.file(file), folder.exists(memo) ? folder.file(memo) : "");
    }
    TempFolder folder;
    std::unique_ptr<Session> session;
};

TEST_F(SqlDialect, RunsTheStatementsOfAConversionRun) {
    session->execute(
        "CREATE TABLE \"orders\"([id] INT,[customer] CHAR(254),[price] DEC,[ratio] DOUBLE,"
        "[created] CHAR(25));");
    session->execute("INSERT INTO [orders] VALUES (7, 'O''Neil', 12.5, 0.25,'08/31/2021');");
    session->execute("INSERT INTO [orders] VALUES (NULL, 'x', -3,NULL, NULL);");
    EXPECT_EQ(rows("orders.dbf"), (Rows{{"7", "O'Neil", "12.500000", "0.25", "08/31/2021"},
                                        {"NULL", "x", "-3.000000", "NULL", "NULL"}}));
    session->execute("DROP TABLE \"orders\"");
    EXPECT_TRUE(folder.snapshot().empty());
}

TEST_F(SqlDialect, NamesArePlainBracketedOrQuotedAndResolveWithoutCase) {
    session->execute("CREATE TABLE Plain (a I)");
    session->execute("CREATE TABLE [Order Items] ([Unit Price] I, [ÄÖÜ-x] C(3))");
    session->execute("CREATE TABLE \"Заказы 2021\" (n I)");
    session->execute("INSERT INTO PLAIN VALUES (1)");
    session->execute("INSERT INTO [order ITEMS] VALUES (2, 'ü')");
    session->execute("INSERT INTO [order ITEMS] ([unit price]) VALUES (3)");
    session->execute("INSERT INTO \"заказы 2021\" VALUES (4)");
    EXPECT_TRUE(folder.exists("plain.dbf"));
    EXPECT_TRUE(folder.exists("order items.dbf"));
    EXPECT_TRUE(folder.exists("заказы 2021.dbf"));
    EXPECT_EQ(session->tableNames(),
              (std::vector<std::string>{"order items", "plain", "заказы 2021"}));
    EXPECT_EQ(rows("order items.dbf"), (Rows{{"2", "ü"}, {"3", "NULL"}}));
    session->execute("DROP TABLE [ORDER items];");
    EXPECT_FALSE(folder.exists("order items.dbf"));
}

TEST_F(SqlDialect, ReadsEveryLiteral) {
    session->execute("CREATE TABLE t (c C(20), n N(12,3), i I, l L, d D, t T, m M) ");
    session->execute(
        "  INSERT   INTO t VALUES ( 'it''s ''quoted''' , -1.5e2 , +42 , .T. , {^2021-08-31} ,"
        " {^2021-08-31 13:05:09} , 'memo' ) ; ");
    session->execute("INSERT INTO t VALUES ('', .5, -0, .f., {}, {^2000-01-01}, '')");
    session->execute("INSERT INTO t VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL)");
    EXPECT_EQ(
        rows("t.dbf"),
        (Rows{{"it's 'quoted'", "-150.000", "42", "T", "2021-08-31", "2021-08-31 13:05:09", "memo"},
              {"", "0.500", "0", "F", "", "2000-01-01 00:00:00", ""},
              {"NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL"}}));
}

TEST_F(SqlDialect, ColumnListFillsTheRestWithNullOrEmpty) {
    session->execute("CREATE TABLE t (a I, b C(3) NOT NULL, c N(5,1) NOT NULL, d L NOT NULL, e I)");
    session->execute("INSERT INTO t (e, a) VALUES (5, 1)");
    EXPECT_EQ(rows("t.dbf"), (Rows{{"1", "", "0.0", "F", "5"}}));
}

TEST_F(SqlDialect, TypesByLetterAndLongName) {
    session->execute(
        "CREATE TABLE t (a CHARACTER(2), b VARCHAR(4), c NUMERIC(6,2), d DECIMAL, e FLOAT(8,3),"
        " f INTEGER, g DOUBLE, h CURRENCY, i DATE, j DATETIME, k LOGICAL, l MEMO, m BLOB,"
        " n VARBINARY(3), o GENERAL, p NUM(4), q DEC(7,1))");
    auto table = foxpro::Table::open(folder.file("t.dbf"), folder.file("t.fpt"), false);
    std::string shapes;
    for (const auto& f : table->structure().fields())
        shapes += f.type + std::to_string(f.width) + "," + std::to_string(f.decimals) + " ";
    EXPECT_EQ(shapes,
              "C2,0 V4,0 N6,2 N20,6 F8,3 I4,0 B8,0 Y8,4 D8,0 T8,0 L1,0 M4,0 W4,0 Q3,0 G4,0 "
              "N4,0 N7,1 ");
}

struct Refusal {
    const char* statement;
    long number;
    const char* description;
};

class Refusals : public SqlDialect, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Refusals, SayWhatAndWhereAndChangeNothing) {
    session->execute(
        "CREATE TABLE \"orders\" ([id] I, [qty] I NOT NULL, [big] I, [born] D,"
        " [name] C(10), [price] N(5,2), [note] M)");
    session->execute("INSERT INTO orders VALUES (1, 2, 3, {^2021-08-31}, 'a', 1.5, 'memo')");
    session->flush();
    const auto before = folder.snapshot();
    try {
        session->execute(GetParam().statement);
        FAIL() << "accepted: " << GetParam().statement;
    } catch (const foxpro::Error& e) {
        EXPECT_EQ(e.number(), GetParam().number);
        EXPECT_EQ(std::string(e.what()), GetParam().description);
    }
    session->flush();
    EXPECT_EQ(folder.snapshot(), before);
    EXPECT_EQ(rows("orders.dbf").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, Refusals,
    ::testing::Values(
        Refusal{"CREATE TABLE orders (x I)", 7, "SQLException: Table \"orders\" already exists."},
        Refusal{"CREATE TABLE [ORDERS] (x I)", 7, "SQLException: Table \"ORDERS\" already exists."},
        Refusal{"INSERT INTO orders VALUES (1, NULL, 3, NULL, NULL, NULL, NULL)", 1581,
                "SQLException: Column \"qty\" of table \"orders\" does not accept NULL."},
        Refusal{"INSERT INTO orders VALUES (1, 2, 5000000000, NULL, NULL, NULL, NULL)", 39,
                "SQLException: Value 5000000000 does not fit the integer column \"big\" of "
                "table \"orders\"."},
        Refusal{"INSERT INTO orders VALUES (1, 2, -2147483648, NULL, NULL, NULL, NULL)", 39,
                "SQLException: Value -2147483648 does not fit the integer column \"big\" of "
                "table \"orders\"."},
        Refusal{"INSERT INTO orders VALUES (1, 2, 3, NULL, NULL, 123456, 'x')", 39,
                "SQLException: Numeric overflow: value 123456 does not fit the N(5,2) column "
                "\"price\" of table \"orders\"."},
        Refusal{"INSERT INTO [orders] VALUSE (1)", 10,
                "SQLException: Syntax error near \"VALUSE\" at position 22."},
        Refusal{"INSERT INTO orders VALUES (1, 2, 3, NULL, NULL, NULL, 'x'", 10,
                "SQLException: Syntax error: the statement ends early at position 58."},
        Refusal{"INSERT INTO orders VALUES (1, 2, 3, NULL, NULL, NULL, 'x');;", 10,
                "SQLException: Syntax error near \";\" at position 60."},
        Refusal{"SELECT * FROM orders", 10,
                "SQLException: Syntax error near \"SELECT\" at position 1."},
        Refusal{"INSERT INTO orders VALUES (1, 2, 3, '08/31/2021', NULL, NULL, NULL)", 9,
                "SQLException: Data type mismatch: '08/31/2021' cannot be stored in the date "
                "column \"born\" of table \"orders\"."},
        Refusal{"INSERT INTO orders VALUES (1, 2, 3, NULL, 5, NULL, NULL)", 9,
                "SQLException: Data type mismatch: 5 cannot be stored in the character column "
                "\"name\" of table \"orders\"."},
        Refusal{"INSERT INTO orders VALUES (.T., 2, 3, NULL, NULL, NULL, NULL)", 9,
                "SQLException: Data type mismatch: .T. cannot be stored in the integer column "
                "\"id\" of table \"orders\"."},
        Refusal{"INSERT INTO orders VALUES (1, 2, 3, {^2021-02-30}, NULL, NULL, NULL)", 2034,
                "SQLException: Date/Datetime {^2021-02-30} evaluated to an invalid value."},
        Refusal{"INSERT INTO orders VALUES (1, 2, 3, NULL, NULL, NULL, NULL, 8)", 1230,
                "SQLException: Too many values for table \"orders\": 7 columns exist."},
        Refusal{"INSERT INTO orders VALUES (1, 2)", 1229,
                "SQLException: Too few values for table \"orders\": 2 given, 7 needed."},
        Refusal{"INSERT INTO orders (id, nope) VALUES (1, 2)", 1806,
                "SQLException: Column \"nope\" of table \"orders\" does not exist."},
        Refusal{"INSERT INTO orders (qty, qty) VALUES (1, 2)", 1712,
                "SQLException: Column \"qty\" is named twice in the INSERT into table "
                "\"orders\"."},
        Refusal{"INSERT INTO customers VALUES (1)", 1,
                "SQLException: Table \"customers\" does not exist."},
        Refusal{"DROP TABLE customers", 1, "SQLException: Table \"customers\" does not exist."},
        Refusal{"CREATE TABLE t2 (a I, A C(2))", 1712,
                "SQLException: Column name \"A\" of table \"t2\" is a duplicate (stored as "
                "\"A\")."},
        Refusal{"CREATE TABLE t2 ([customer_id] I, [customer_ix] I)", 1712,
                "SQLException: Column name \"customer_ix\" of table \"t2\" is a duplicate "
                "(stored as \"CUSTOMER_I\")."},
        Refusal{"CREATE TABLE t2 (a C(300))", 1713,
                "SQLException: Field width or decimals of column \"a\" of table \"t2\" are "
                "invalid: the width must be 1 to 254."},
        Refusal{"CREATE TABLE t2 (a N(5,4))", 1713,
                "SQLException: Field width or decimals of column \"a\" of table \"t2\" are "
                "invalid: the decimals must leave room for the point and a digit."},
        Refusal{"CREATE TABLE t2 (a C)", 1713,
                "SQLException: Field width or decimals of column \"a\" of table \"t2\" are "
                "invalid: a width is needed."},
        Refusal{"CREATE TABLE t2 (a X(3))", 10,
                "SQLException: Syntax error near \"X\" at position 20."},
        Refusal{"CREATE TABLE t2 CODEPAGE=1234 (a I)", 1914,
                "SQLException: Code page 1234 of table \"t2\" is not supported."},
        Refusal{"CREATE TABLE t2 ([] I)", 1712,
                "SQLException: Column name \"\" of table \"t2\" is invalid."},
        Refusal{"CREATE TABLE [../x] (a I)", 202,
                "SQLException: Table name \"../x\" is not a valid file name: it contains a path "
                "separator."},
        Refusal{"CREATE TABLE [a/b] (a I)", 202,
                "SQLException: Table name \"a/b\" is not a valid file name: it contains a path "
                "separator."},
        Refusal{"CREATE TABLE [a\\b] (a I)", 202,
                "SQLException: Table name \"a\\b\" is not a valid file name: it contains a path "
                "separator."},
        Refusal{"CREATE TABLE [] (a I)", 202,
                "SQLException: Table name \"\" is not a valid file name: it is empty."},
        Refusal{"CREATE TABLE [..] (a I)", 202,
                "SQLException: Table name \"..\" is not a valid file name: it is not a file "
                "name."},
        Refusal{"INSERT INTO [../orders] VALUES (1)", 202,
                "SQLException: Table name \"../orders\" is not a valid file name: it contains a "
                "path separator."},
        Refusal{"DROP TABLE [/tmp/orders]", 202,
                "SQLException: Table name \"/tmp/orders\" is not a valid file name: it contains "
                "a path separator."}));

TEST_F(SqlDialect, ARefusedCreateLeavesNoFileAndTheNextStatementWorks) {
    const std::vector<std::string> refused = {"CREATE TABLE t (a I, b C(999))",
                                              "CREATE TABLE t (a I, b M, a C(1))",
                                              "CREATE TABLE t (a I) extra"};
    for (const auto& s : refused) EXPECT_THROW(session->execute(s), foxpro::Error) << s;
    EXPECT_TRUE(folder.snapshot().empty());
    session->execute("CREATE TABLE t (a I, b M)");
    EXPECT_THROW(session->execute("INSERT INTO t VALUES (1, 'memo', 3)"), foxpro::Error);
    session->execute("INSERT INTO t VALUES (2, 'kept')");
    EXPECT_EQ(rows("t.dbf"), (Rows{{"2", "kept"}}));
    // The refused row's memo left no block behind: the kept memo sits in the first block.
    EXPECT_EQ(folder.read("t.fpt").size(), 512u + 64u);
}

TEST_F(SqlDialect, LimitsOfATable) {
    std::string wide = "CREATE TABLE wide (";
    for (int i = 0; i < 255; ++i) wide += (i ? ", c" : "c") + std::to_string(i) + " I";
    EXPECT_THROW(session->execute(wide + ")"), foxpro::Error);  // nullable: 254 at most
    std::string notNull = "CREATE TABLE wide (";
    for (int i = 0; i < 255; ++i) notNull += (i ? ", c" : "c") + std::to_string(i) + " I NOT NULL";
    session->execute(notNull + ")");
    std::string longRecord = "CREATE TABLE long (";
    for (int i = 0; i < 258; ++i) longRecord += (i ? ", c" : "c") + std::to_string(i) + " C(254)";
    try {
        session->execute(longRecord + ")");
        FAIL();
    } catch (const foxpro::Error& e) {
        EXPECT_EQ(e.number(), 1814);  // too many fields comes first
    }
}

}  // namespace

namespace {

TEST(ManyTables, ARunOverManyTablesKeepsFewOpenAndLosesNothing) {
    TempFolder folder;
    auto session = Session::openFolder(folder.path());
    for (int t = 0; t < 70; ++t) {
        const std::string name = "[t" + std::to_string(t) + "]";
        session->execute("CREATE TABLE " + name + " (n I, m M)");
        for (int r = 0; r < 3; ++r)
            session->execute("INSERT INTO " + name + " VALUES (" + std::to_string(r) + ", 'x')");
    }
    session->execute("INSERT INTO [t0] VALUES (3, 'reopened')");
    session->close();
    for (int t = 0; t < 70; ++t) {
        const std::string base = folder.file("t" + std::to_string(t));
        EXPECT_EQ(dumpTable(base + ".dbf", base + ".fpt").size(), t == 0 ? 4u : 3u) << t;
    }
}

}  // namespace

namespace {

TEST(Robustness, TruncatedAndMangledStatementsAreRefusedCleanly) {
    TempFolder folder;
    auto session = Session::openFolder(folder.path());
    session->execute("CREATE TABLE t (a I, b C(5), c N(8,2), d D, e T, f L, g M, h V(4))");
    const std::string good =
        "INSERT INTO [t] VALUES (1, 'it''s', -1.5e1, {^2021-08-31}, {^2021-08-31 13:05:09 PM}, "
        ".T., 'memo', 'v');";
    std::mt19937 random(7);
    const std::string alphabet = "'\"[]{}(),;.^-+eE0123456789 TFNULLnull\xC3\xA9\xFF";
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string s = good.substr(0, random() % (good.size() + 1));
        if (round % 2) {
            s = good;
            for (int k = 0; k < 3; ++k)
                s[random() % s.size()] = alphabet[random() % alphabet.size()];
        }
        try {
            session->execute(s);
            ++accepted;
        } catch (const foxpro::Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind("SQLException: ", 0), 0u) << s;
        }
    }
    session->close();
    EXPECT_EQ(dumpTable(folder.file("t.dbf"), folder.file("t.fpt")).size(),
              static_cast<std::size_t>(accepted));
}

}  // namespace
