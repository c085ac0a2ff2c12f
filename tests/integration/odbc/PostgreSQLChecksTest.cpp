#include <gtest/gtest.h>

#include "core/RecordingReporter.h"
#include "core/ScriptedDialogs.h"
#include "data/ConnectionStrings.h"
#include "data/PostgreSQL.h"
#include "data/TestConnectionCommands.h"
#include "tests/integration/odbc/PgScratchDatabase.h"
#include "tests/integration/odbc/QStringPrinting.h"
#include "tests/support/TestEnvironment.h"

namespace {

const QString kCouldNotConnect =
    QStringLiteral("Could not connect. Please check with your administrator.");

class PostgreSQLChecks : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TestEnvironment::hasPostgres()) GTEST_SKIP() << "BRINDLECAST_PGPORT is not set";
    }
    ConnectionFields good() const { return PgScratchDatabase::serverFields("postgres"); }
};

TEST_F(PostgreSQLChecks, ReachableServerPassesBothCheckAndTestCommand) {
    EXPECT_TRUE(IsValidPostgreSQLConnection(good()));
    ScriptedDialogs dialogs;
    RecordingReporter reporter;
    TestPostgreSQLConnection(good(), dialogs, dialogs, reporter);
    EXPECT_EQ(dialogs.shown, QStringList{QStringLiteral("Connection successful.")});
    EXPECT_TRUE(dialogs.titles[0].isEmpty());
    // The busy pointer is set before the message and only taken back after it.
    EXPECT_EQ(dialogs.pointers, (QList<Pointer>{Pointer::Busy, Pointer::Normal}));
    EXPECT_TRUE(reporter.messages.isEmpty());
}

TEST_F(PostgreSQLChecks, RefusedConnectionsShowOnlyTheCommandsOwnMessage) {
    ConnectionFields wrongPassword = good();
    wrongPassword.password += QStringLiteral("-wrong");
    ConnectionFields wrongPort = good();
    wrongPort.port = QString::number(TestEnvironment::pgPort().toInt() == 1 ? 2 : 1);
    ConnectionFields missingDatabase = good();
    missingDatabase.database = QStringLiteral("no_such_database");
    for (const ConnectionFields& fields : {wrongPassword, wrongPort, missingDatabase}) {
        SCOPED_TRACE(postgreSQLConnectionString(fields).toStdString());
        EXPECT_FALSE(IsValidPostgreSQLConnection(fields));
        ScriptedDialogs dialogs;
        RecordingReporter reporter;
        TestPostgreSQLConnection(fields, dialogs, dialogs, reporter);
        EXPECT_EQ(dialogs.shown, QStringList{kCouldNotConnect});
        EXPECT_EQ(dialogs.pointers, (QList<Pointer>{Pointer::Busy, Pointer::Normal}));
        EXPECT_TRUE(reporter.messages.isEmpty());
    }
}

TEST_F(PostgreSQLChecks, RefusalCarriesTheDriversMessage) {
    ConnectionFields fields = good();
    fields.password = QStringLiteral("wrong");
    DataLink::Connection connection;
    try {
        connection.open(postgreSQLConnectionString(fields));
        FAIL() << "the open must fail";
    } catch (const Failure& f) {
        EXPECT_TRUE(f.description().contains("password authentication failed"))
            << f.description().toStdString();
        EXPECT_NE(f.number(), 0);
    }
}

TEST_F(PostgreSQLChecks, PasswordsAndNamesWithSeparatorsConnect) {
    // Such values used to cut the string into other keywords; braced, they connect. The
    // driver also must not decode "+" or "%41" in a password.
    struct Account {
        QString role, password, database;
    } accounts[] = {
        {"odbc user;x=1", "se;cret=pw}{ x+%41 ", "odbc db;x={1}"},
        {"plain_user", "a+b%41c", "plain_db"},
        {" spaced ", "'quote\\back", "postgres"},
    };
    DataLink::Connection admin;
    admin.open(postgreSQLConnectionString(good()));
    for (const Account& a : accounts) {
        QString literal = a.password;
        literal.replace('\'', "''");
        admin.execute(QStringLiteral("DROP ROLE IF EXISTS \"%1\"").arg(a.role));
        admin.execute(QStringLiteral("CREATE ROLE \"%1\" LOGIN SUPERUSER PASSWORD E'%2'")
                          .arg(a.role, QString(literal).replace("\\", "\\\\")));
        if (a.database != "postgres") {
            admin.execute(QStringLiteral("DROP DATABASE IF EXISTS \"%1\"").arg(a.database));
            admin.execute(QStringLiteral("CREATE DATABASE \"%1\"").arg(a.database));
        }
        ConnectionFields fields = good();
        fields.user = a.role;
        fields.password = a.password;
        fields.database = a.database;
        SCOPED_TRACE(postgreSQLConnectionString(fields).toStdString());
        EXPECT_TRUE(IsValidPostgreSQLConnection(fields));
        {
            DataLink::Connection connection;
            connection.open(postgreSQLConnectionString(fields));
            auto who = connection.execute("SELECT current_user, current_database()");
            EXPECT_EQ(who->field(0).value.toString(), a.role);
            EXPECT_EQ(who->field(1).value.toString(), a.database);
        }
        fields.password.chop(1);  // every character of the password counts
        EXPECT_FALSE(IsValidPostgreSQLConnection(fields));
        if (a.database != "postgres")
            admin.execute(QStringLiteral("DROP DATABASE \"%1\" WITH (FORCE)").arg(a.database));
        admin.execute(QStringLiteral("DROP ROLE \"%1\"").arg(a.role));
    }
}

TEST_F(PostgreSQLChecks, ListingTakesUserTablesOfEverySchemaButNoCatalogues) {
    PgScratchDatabase db(QStringLiteral("odbc_listing"));
    MemoryTableList empty;
    AddTablesToPostgreSQLListbox(db.fields(), empty);
    EXPECT_EQ(empty.count(), 0);  // a fresh database has only the server's catalogues

    db.run(
        "CREATE TABLE public.people (id integer); "
        "CREATE SCHEMA \"Sales \"\"EU\"\"\"; "
        "CREATE TABLE \"Sales \"\"EU\"\"\".\"Order\"\"s\" (id integer, total numeric(8,2)); "
        "INSERT INTO \"Sales \"\"EU\"\"\".\"Order\"\"s\" VALUES (7, 12.50); "
        "CREATE TABLE \"Sales \"\"EU\"\"\".people (id integer); "
        "CREATE VIEW people_view AS SELECT * FROM people");
    MemoryTableList list;
    AddTablesToPostgreSQLListbox(db.fields(), list);
    QStringList entries;
    for (int i = 0; i < list.count(); ++i) entries << list.schema(i) + "|" + list.name(i);
    entries.sort();
    EXPECT_EQ(entries,
              (QStringList{"Sales \"EU\"|Order\"s", "Sales \"EU\"|people", "public|people"}));

    // The remembered schema reads a table outside the search path.
    auto connection = db.connect();
    for (int i = 0; i < list.count(); ++i) {
        if (list.name(i) != QStringLiteral("Order\"s")) continue;
        auto rows = connection->execute(postgreSQLSourceQuery(list.schema(i), list.name(i)));
        ASSERT_FALSE(rows->eof());
        EXPECT_EQ(rows->field(QStringLiteral("total")).value.value<DataLink::Decimal>().text,
                  QStringLiteral("12.50"));
    }

    // The listing appends: twice without clearing gives every name twice.
    AddTablesToPostgreSQLListbox(db.fields(), list);
    EXPECT_EQ(list.count(), 6);
}

TEST_F(PostgreSQLChecks, ListingLetsTheWindowBreathePerRowAndFailsToTheCaller) {
    PgScratchDatabase db(QStringLiteral("odbc_listing_events"));
    db.run("CREATE TABLE a (x integer); CREATE TABLE b (x integer)");
    MemoryTableList list;
    int events = 0;
    AddTablesToPostgreSQLListbox(db.fields(), list, [&] { ++events; });
    EXPECT_EQ(events, 2);
    ConnectionFields wrong = db.fields();
    wrong.database = QStringLiteral("no_such_database");
    EXPECT_THROW(AddTablesToPostgreSQLListbox(wrong, list), Failure);
    EXPECT_EQ(list.count(), 2);
}

}  // namespace
