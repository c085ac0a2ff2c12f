#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/integration/conversion/TestHost.h"
#include "tests/support/PostgresFixture.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestEnvironment.h"

namespace {

// The record count a table's header states, or -1 when the file is missing.
long dbfRecordCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray header = file.read(8);
    if (header.size() < 8) return -1;
    const auto* b = reinterpret_cast<const unsigned char*>(header.constData());
    return long(b[4]) | long(b[5]) << 8 | long(b[6]) << 16 | long(b[7]) << 24;
}

QStringList tablesOf(const QStringList& script, const QString& prefix) {
    QStringList names;
    for (const QString& line : script)
        if (line.startsWith(prefix)) names << line.mid(prefix.size()).section(QLatin1Char('"'), 0, 0);
    return names;
}

QStringList lines(const SqlScript& script) {
    QStringList all;
    for (int i = 0; i < script.count(); ++i) all << script.line(i);
    return all;
}

const char* kThreeTables =
    "CREATE TABLE alpha (id integer, name text);"
    "INSERT INTO alpha VALUES (1, 'one'), (2, 'two');"
    "CREATE TABLE beta (id integer, note varchar(20));"
    "CREATE TABLE gamma (code char(3), price numeric(8,2));"
    "INSERT INTO gamma VALUES ('abc', 19.99);";

class ConversionRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TestEnvironment::hasPostgres()) GTEST_SKIP() << "no test PostgreSQL (run scripts/test)";
        ASSERT_TRUE(folder.isValid());
    }

    void useDatabase(const QString& name, const char* setup) {
        ASSERT_EQ(PostgresFixture::recreate(name, QString::fromUtf8(setup)), QString());
        host.fields = PostgresFixture::fields(name, folder.path());
    }

    QString table(const QString& name) const { return folder.filePath(name + QStringLiteral(".dbf")); }

    QTemporaryDir folder;
    TestHost host;
};

TEST_F(ConversionRunTest, EmptyDatabaseGoesStraightToDone) {
    useDatabase("run_empty", "");
    ConversionRun run(host);
    run.PushButton7_Click();
    EXPECT_EQ(host.dialogs.shown, QStringList{"Done."});
    EXPECT_TRUE(host.reporter.messages.isEmpty()) << host.reporter.messages.join("\n").toStdString();
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
    ASSERT_FALSE(host.progressTexts.isEmpty());
    EXPECT_EQ(host.progressTexts.last(), "Progress Bar");
    EXPECT_EQ(host.progressValues, QList<int>{0});
    EXPECT_EQ(host.dialogs.pointers, (QList<Pointer>{Pointer::Busy, Pointer::Normal}));
    EXPECT_FALSE(run.busy());
}

TEST_F(ConversionRunTest, DirectRunAsksOnlyForExistingTablesAndHonoursTheAnswers) {
    useDatabase("run_direct", kThreeTables);
    {
        ConversionRun run(host);
        run.PushButton7_Click();
        EXPECT_TRUE(host.reporter.messages.isEmpty()) << host.reporter.messages.join("\n").toStdString();
        EXPECT_EQ(host.dialogs.shown, QStringList{"Done."});  // no question for new tables
    }
    EXPECT_EQ(dbfRecordCount(table("alpha")), 2);
    EXPECT_EQ(dbfRecordCount(table("beta")), 0);
    EXPECT_EQ(dbfRecordCount(table("gamma")), 1);

    // Answered No everywhere: nothing is touched and the progress text is emptied.
    PostgresFixture::query("run_direct", "INSERT INTO alpha VALUES (3, 'three');");
    host.dialogs = ScriptedDialogs();
    host.dialogs.answers = {false, false, false};
    host.progressTexts.clear();
    ConversionRun(host).PushButton7_Click();
    EXPECT_EQ(host.dialogs.shown.size(), 4);
    EXPECT_TRUE(host.dialogs.shown.contains("Would you like to overwrite alpha?"));
    EXPECT_EQ(host.dialogs.titles.first(), "Overwrite?");
    EXPECT_EQ(dbfRecordCount(table("alpha")), 2);
    EXPECT_FALSE(host.progressTexts.contains("Please wait.. Processing table alpha"));

    // Answered Yes: the table is dropped and written again with the new row.
    host.dialogs = ScriptedDialogs();
    host.dialogs.answers = {true, true, true};
    ConversionRun(host).PushButton7_Click();
    EXPECT_TRUE(host.reporter.messages.isEmpty()) << host.reporter.messages.join("\n").toStdString();
    EXPECT_EQ(dbfRecordCount(table("alpha")), 3);
    EXPECT_EQ(dbfRecordCount(table("gamma")), 1);
}

TEST_F(ConversionRunTest, OncePerRunPreviewHoldsTablesLastListedFirstAndDropsFirst) {
    useDatabase("run_order", kThreeTables);
    ConversionRun(host).PushButton7_Click();  // the tables now exist in the target

    host.preview = true;
    host.eachFile = true;
    host.dialogs = ScriptedDialogs();
    host.dialogs.answers = {true, true, true};
    ConversionRun run(host);
    QStringList script;
    int viewerRows = 0;
    host.onPreview = [&] {
        script = lines(run.script());
        viewerRows = run.viewerRows().count();
        run.sqlFormOk = executeScript(run);
    };
    run.PushButton7_Click();
    ASSERT_EQ(host.previews, 1);
    QStringList expectedOrder;
    for (int i = host.pgTables.count() - 1; i >= 0; --i) expectedOrder << host.pgTables.name(i);
    EXPECT_EQ(tablesOf(script, "CREATE TABLE \""), expectedOrder);
    EXPECT_EQ(tablesOf(script, "DROP TABLE \""), expectedOrder);
    // Each table's lines start with its DROP, directly followed by its CREATE.
    for (const QString& name : expectedOrder) {
        const int drop = script.indexOf("DROP TABLE \"" + name + "\"");
        ASSERT_GE(drop, 0);
        EXPECT_TRUE(script.value(drop + 1).startsWith("CREATE TABLE \"" + name + "\"("));
    }
    EXPECT_EQ(viewerRows, 6);
    EXPECT_TRUE(script.contains("INSERT INTO [gamma] VALUES ('abc', 19.99);"));
    EXPECT_TRUE(host.reporter.messages.isEmpty()) << host.reporter.messages.join("\n").toStdString();
    EXPECT_EQ(dbfRecordCount(table("alpha")), 2);
    EXPECT_EQ(host.dialogs.shown.last(), "Done.");
}

TEST_F(ConversionRunTest, ClosingTheOncePerRunPreviewWithoutExecutingClosesTheConnections) {
    useDatabase("run_close", kThreeTables);
    host.preview = true;
    host.eachFile = true;
    ConversionRun run(host);
    bool openDuringPreview = false;
    host.onPreview = [&] { openDuringPreview = run.foxProConnection()->isOpen(); };
    run.PushButton7_Click();
    EXPECT_TRUE(openDuringPreview);
    EXPECT_FALSE(run.foxProConnection()->isOpen());
    EXPECT_EQ(host.dialogs.shown, QStringList{"Done."});
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(ConversionRunTest, PerTablePreviewSkipGoesOnAndExecuteEndsTheRun) {
    useDatabase("run_each", kThreeTables);
    host.preview = true;
    host.eachTable = true;
    ConversionRun run(host);
    QList<QStringList> shown;
    host.onPreview = [&] {
        shown << lines(run.script());
        if (host.previews == 1) {
            run.stopAfterPreview = false;  // "Skip Table / Do Not Execute SQL"
        } else {
            executeScript(run);
        }
    };
    run.PushButton7_Click();
    ASSERT_EQ(host.previews, 2);
    const QString first = host.pgTables.name(2), second = host.pgTables.name(1);
    EXPECT_EQ(tablesOf(shown[0], "CREATE TABLE \""), QStringList{first});
    EXPECT_EQ(tablesOf(shown[1], "CREATE TABLE \""), QStringList{second});
    EXPECT_EQ(dbfRecordCount(table(first)), -1);
    EXPECT_GE(dbfRecordCount(table(second)), 0);
    EXPECT_EQ(dbfRecordCount(table(host.pgTables.name(0))), -1);
    EXPECT_EQ(host.dialogs.shown, QStringList{"Done."});
}

TEST_F(ConversionRunTest, ProgressOfOneRowIsHundredAndEmptyTablesLeaveItAlone) {
    useDatabase("run_progress", "CREATE TABLE one (id integer); INSERT INTO one VALUES (1);"
                                "CREATE TABLE none (id integer);");
    ConversionRun(host).PushButton7_Click();
    EXPECT_EQ(host.progressValues, (QList<int>{100, 0}));
    EXPECT_TRUE(host.progressTexts.contains("Please wait.. Processing table one"));
    EXPECT_TRUE(host.progressTexts.contains("Please wait.. Processing table none"));
}

TEST_F(ConversionRunTest, ASecondStartWhileRunningDoesNothing) {
    useDatabase("run_busy", kThreeTables);
    ConversionRun run(host);
    int nested = 0;
    host.onProcessEvents = [&] {
        if (nested++ == 0) {
            EXPECT_TRUE(run.busy());
            run.PushButton7_Click();
        }
    };
    run.PushButton7_Click();
    EXPECT_EQ(host.dialogs.shown, QStringList{"Done."});
    EXPECT_FALSE(run.busy());
}

TEST_F(ConversionRunTest, ARejectedCreateIsReportedOnceAndEachInsertOnce) {
    useDatabase("run_rejected", "CREATE TABLE \"bad/name\" (id integer); INSERT INTO \"bad/name\" VALUES (1), (2);"
                                "CREATE TABLE fine (id integer); INSERT INTO fine VALUES (1);");
    ConversionRun(host).PushButton7_Click();
    ASSERT_EQ(host.reporter.messages.size(), 3) << host.reporter.messages.join("\n").toStdString();
    EXPECT_TRUE(host.reporter.messages[0].contains("Form1.PushButton7_Click at line 318"));
    EXPECT_TRUE(host.reporter.messages[1].contains("Form1.PushButton7_Click at line 428"));
    EXPECT_TRUE(host.reporter.messages[2].contains("Form1.PushButton7_Click at line 428"));
    EXPECT_EQ(host.reporter.titles[0], "Application Error");
    EXPECT_EQ(dbfRecordCount(table("fine")), 1);
    EXPECT_EQ(host.dialogs.shown, QStringList{"Done."});
    EXPECT_TRUE(QDir(folder.path()).entryList({"*bad*"}, QDir::Files).isEmpty());
}

TEST_F(ConversionRunTest, TablesOutsideTheSearchPathAndMixedCaseNamesAreRead) {
    useDatabase("run_schema", "CREATE SCHEMA sales; CREATE TABLE sales.\"Orders\" (id integer);"
                              "INSERT INTO sales.\"Orders\" VALUES (1), (2), (3);");
    host.preview = true;
    ConversionRun run(host);
    run.PushButton7_Click();
    const QStringList script = lines(run.script());
    EXPECT_EQ(script.size(), 4) << script.join("\n").toStdString();
    EXPECT_EQ(script.value(0), "CREATE TABLE \"Orders\"([id] INT);");
    EXPECT_EQ(script.value(3), "INSERT INTO [Orders] VALUES (3);");
    EXPECT_EQ(host.previews, 0);  // neither preview option: the script is built, nothing shown
}

TEST_F(ConversionRunTest, ASideThatDoesNotOpenIsToldAndNothingRuns) {
    useDatabase("run_nofolder", kThreeTables);
    host.fields.folder = folder.filePath("missing");
    ConversionRun run(host);
    run.PushButton7_Click();
    EXPECT_EQ(host.dialogs.shown, QStringList{"Could not open the FoxPro target. Please check the folder or database container."});
    EXPECT_TRUE(host.reporter.messages.isEmpty());
    EXPECT_FALSE(run.busy());

    host.fields.folder = folder.path();
    host.fields.password = "wrong";
    host.dialogs = ScriptedDialogs();
    run.PushButton7_Click();
    EXPECT_EQ(host.dialogs.shown, QStringList{"Could not connect to PostgreSQL. Please check with your administrator."});
    EXPECT_TRUE(host.dialogs.pointers.isEmpty());
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(ConversionRunTest, TablesOfTheSameNameAreAskedAboutInsteadOfMixed) {
    useDatabase("run_same_name", "CREATE SCHEMA other;"
                                 "CREATE TABLE public.things (id integer, label text);"
                                 "INSERT INTO public.things VALUES (1, 'public');"
                                 "CREATE TABLE other.things (code text);"
                                 "INSERT INTO other.things VALUES ('a'), ('b');");
    ConversionRun run(host);
    run.PushButton7_Click();  // answers No to the question about the second "things"
    EXPECT_EQ(host.dialogs.shown, (QStringList{"Would you like to overwrite things?", "Done."}));
    EXPECT_TRUE(host.reporter.messages.isEmpty()) << host.reporter.messages.join("\n").toStdString();
    EXPECT_EQ(dbfRecordCount(table("things")), host.pgTables.schema(1) == "other" ? 2 : 1);

    host.dialogs = ScriptedDialogs();
    host.dialogs.answers = {true, true};
    run.PushButton7_Click();
    EXPECT_TRUE(host.reporter.messages.isEmpty()) << host.reporter.messages.join("\n").toStdString();
    EXPECT_EQ(dbfRecordCount(table("things")), host.pgTables.schema(0) == "other" ? 2 : 1);
}

TEST_F(ConversionRunTest, ANameWithADoubleQuoteIsWrittenInBrackets) {
    useDatabase("run_quote", "CREATE TABLE \"say \"\"hi\"\"\" (id integer); INSERT INTO \"say \"\"hi\"\"\" VALUES (1);");
    host.preview = true;
    ConversionRun run(host);
    run.PushButton7_Click();
    EXPECT_EQ(run.script().line(0), "CREATE TABLE [say \"hi\"]([id] INT);");
    host.preview = false;
    host.dialogs = ScriptedDialogs();
    run.PushButton7_Click();
    EXPECT_TRUE(host.reporter.messages.isEmpty()) << host.reporter.messages.join("\n").toStdString();
    EXPECT_EQ(dbfRecordCount(table("say \"hi\"")), 1);
}

}  // namespace
