#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProgressBar>

#include "tests/gui/app/GuiFixture.h"
#include "tests/support/TestEnvironment.h"

namespace {

// Runs psql against the test server; returns its error output (empty on success).
QString psql(const QString& database, const QString& sql) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PGPASSWORD", TestEnvironment::pgPassword());
    p.setProcessEnvironment(env);
    p.start("psql", {"-q", "-v", "ON_ERROR_STOP=1", "-h", TestEnvironment::pgHost(), "-p",
                     TestEnvironment::pgPort(), "-U", TestEnvironment::pgUser(), "-d", database,
                     "-c", sql});
    p.waitForFinished(60000);
    return p.exitCode() == 0 ? QString() : QString::fromUtf8(p.readAllStandardError());
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

class ConversionTest : public GuiFixture {};

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

    start();
    type("Text1", TestEnvironment::pgHost());
    type("Text9", TestEnvironment::pgPort());
    type("Text3", TestEnvironment::pgUser());
    type("Text7", TestEnvironment::pgPassword());
    type("Text10", db);
    type("Text2", out);
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

    start();
    type("Text1", TestEnvironment::pgHost());
    type("Text9", TestEnvironment::pgPort());
    type("Text3", TestEnvironment::pgUser());
    type("Text7", TestEnvironment::pgPassword());
    type("Text10", db);
    type("Text2", out);
    ASSERT_TRUE(form->previewMode());  // the first start's default
    click("PushButton7");
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_TRUE(dialogs.shown.at(0).startsWith("The SQL Preview window is not part of this version yet"));
    EXPECT_EQ(dialogs.shown.at(1), "Done.");
    EXPECT_TRUE(QDir(out).entryList(QDir::Files).isEmpty());
    psql("postgres", "DROP DATABASE IF EXISTS " + db);
}

}  // namespace
