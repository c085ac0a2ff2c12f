#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProgressBar>

#include "tests/gui/app/GuiFixture.h"
#include "tests/support/PostgresFixture.h"
#include "tests/support/TestEnvironment.h"

namespace {

// Runs SQL on the test server; returns psql's error output (empty on success).
QString psql(const QString& database, const QString& sql) {
    QString error;
    PostgresFixture::query(database, sql, &error);
    return error;
}

// A table as the independent reader sees it: its records, values as JSON.
QJsonArray refereeRecords(const QString& table) {
    QProcess p;
    p.start(TestEnvironment::refereePython(),
            {QStringLiteral(BRINDLECAST_SOURCE "/tests/support/referees/dbf_referee.py"), "dbfread",
             table});
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object().value("records").toArray();
}

class ConversionTest : public GuiFixture {
protected:
    // Starts the window and types the test server's fields, the database and the target.
    void startWith(const QString& database, const QString& folder) {
        start();
        const ConnectionFields f = PostgresFixture::fields(database, folder);
        type("Text1", f.server);
        type("Text9", f.port);
        type("Text3", f.user);
        type("Text7", f.password);
        type("Text10", f.database);
        type("Text2", f.folder);
    }
};

TEST_F(ConversionTest, StartConvertingCopiesEveryTableAndAsksBeforeOverwriting) {
    if (!TestEnvironment::hasPostgres()) GTEST_SKIP() << "no test PostgreSQL";
    const QString db = QStringLiteral("gui_shop_%1").arg(QCoreApplication::applicationPid());
    ASSERT_EQ(psql("postgres", "DROP DATABASE IF EXISTS " + db), "");
    ASSERT_EQ(psql("postgres", "CREATE DATABASE " + db), "");
    ASSERT_EQ(
        psql(db,
             "CREATE TABLE customers (id integer, name varchar(30), since date);"
             "INSERT INTO customers VALUES (1, 'Hollin & Daughters', '2019-03-14'),"
             " (2, 'Tamsin''s Tea Rooms', NULL);"
             "CREATE TABLE products (id integer, price numeric(8,2), active boolean);"
             "INSERT INTO products VALUES (1, 8.50, true), (2, 42.00, false), (3, NULL, NULL);"),
        "");
    const QString out = tempPath("foxpro");
    QDir().mkpath(out);

    startWith(db, out);
    widget<QCheckBox>("Check1")->click();  // direct mode
    ASSERT_FALSE(form->previewMode());

    click("PushButton7");
    EXPECT_TRUE(reporter.messages.isEmpty()) << reporter.messages.join("\n").toStdString();
    EXPECT_EQ(dialogs.shown, QStringList{"Done."});
    EXPECT_EQ(form->windowPointer().pointer(), Pointer::Normal);

    // A second run finds both tables: "Yes" replaces products, "No" keeps customers as it is.
    // The run walks the list from its end, so products (listed last) is asked first.
    ASSERT_EQ(psql(db,
                   "INSERT INTO customers VALUES (3, 'Orla Pennick', '2020-11-02');"
                   "DELETE FROM products WHERE id = 3;"),
              "");
    dialogs.shown.clear();
    dialogs.answers = {true, false};
    click("PushButton7");
    EXPECT_TRUE(reporter.messages.isEmpty()) << reporter.messages.join("\n").toStdString();
    EXPECT_EQ(dialogs.shown, QStringList({"Would you like to overwrite products?",
                                          "Would you like to overwrite customers?", "Done."}));

    const QJsonArray customers = refereeRecords(out + "/customers.dbf");
    ASSERT_EQ(customers.size(), 2);  // kept from the first run
    EXPECT_EQ(customers.at(0).toArray().at(1).toString(), "Hollin & Daughters");
    // Dates travel in whichever form the column mapping chose; the day must survive.
    EXPECT_TRUE(customers.at(0).toArray().at(2).toVariant().toString().contains("2019"));
    EXPECT_EQ(customers.at(1).toArray().at(1).toString(), "Tamsin's Tea Rooms");
    const QJsonArray products = refereeRecords(out + "/products.dbf");
    ASSERT_EQ(products.size(), 2);  // replaced: the deleted row is gone
    EXPECT_DOUBLE_EQ(products.at(0).toArray().at(1).toDouble(), 8.5);
    EXPECT_EQ(products.at(1).toArray().at(2).toBool(), false);

    psql("postgres", "DROP DATABASE IF EXISTS " + db);
}

TEST_F(ConversionTest, PreviewModeWithoutThePreviewWindowSaysSoAndWritesNothing) {
    if (!TestEnvironment::hasPostgres()) GTEST_SKIP() << "no test PostgreSQL";
    const QString db = QStringLiteral("gui_preview_%1").arg(QCoreApplication::applicationPid());
    ASSERT_EQ(psql("postgres", "DROP DATABASE IF EXISTS " + db), "");
    ASSERT_EQ(psql("postgres", "CREATE DATABASE " + db), "");
    ASSERT_EQ(psql(db, "CREATE TABLE t (id integer); INSERT INTO t VALUES (1);"), "");
    const QString out = tempPath("foxpro");
    QDir().mkpath(out);

    startWith(db, out);
    ASSERT_TRUE(form->previewMode());  // the first start's default
    click("PushButton7");
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_TRUE(dialogs.shown.at(0).startsWith("The SQL Preview window is not part of this version yet"));
    EXPECT_EQ(dialogs.shown.at(1), "Done.");
    EXPECT_TRUE(QDir(out).entryList(QDir::Files).isEmpty());
    psql("postgres", "DROP DATABASE IF EXISTS " + db);
}

}  // namespace
