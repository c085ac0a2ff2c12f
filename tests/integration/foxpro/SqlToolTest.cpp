// brindlecast-sql: scripts line by line, the stop at the first refusal, the table list.
#include <gtest/gtest.h>

#include <QProcess>
#include <fstream>

#include "tests/unit/foxpro/TempFolder.h"

namespace {

struct ToolRun {
    int exitCode;
    QString out, err;
};

ToolRun runTool(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(BRINDLECAST_SQL_BIN, args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(SqlTool, StopsAtTheFirstRefusedLineWithItsNumber) {
    TempFolder folder;
    {
        std::ofstream script(folder.file("script.sql"), std::ios::binary);
        script << "\xEF\xBB\xBF"
                  "CREATE TABLE \"orders\"([id] INT,[name] CHAR(20));\r\n"
               << "\r\n   \n"
               << "INSERT INTO [orders] VALUES (1, 'O''Neil');\n"
               << "INSERT INTO [orders] VALUES ('x', 'y');\n"
               << "INSERT INTO [orders] VALUES (3, 'never');\n";
    }
    const QString target = QString::fromStdString(folder.path());
    const ToolRun run = runTool({target, QString::fromStdString(folder.file("script.sql"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              "line 5: SQLException: Data type mismatch: 'x' cannot be stored in the integer "
              "column \"id\" of table \"orders\".\n");
    const ToolRun list = runTool({"--tables", target});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.out, "orders\n");
    // Standard input works the same; the row before the refusal was kept.
    const ToolRun more =
        runTool({target}, "INSERT INTO orders VALUES (2, 'two')\nDROP TABLE orders");
    EXPECT_EQ(more.exitCode, 0) << more.err.toStdString();
    EXPECT_EQ(runTool({"--tables", target}).out, "");
}

TEST(SqlTool, LineNumbersHoldAcrossLongScripts) {
    TempFolder folder;
    QByteArray script = "CREATE TABLE t (n I, pad C(100))\n";
    for (int i = 0; i < 30000; ++i)
        script += "INSERT INTO t VALUES (" + QByteArray::number(i) + ", '" + QByteArray(60, 'x') +
                  "')\r\n";
    script += "INSERT INTO t VALUES (1)\n";
    const ToolRun run = runTool({QString::fromStdString(folder.path())}, script);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith("line 30002: SQLException: Too few values"))
        << run.err.toStdString();
}

TEST(SqlTool, UsageAndTargetFailures) {
    EXPECT_EQ(runTool({"--help"}).exitCode, 0);
    EXPECT_TRUE(runTool({"--help"}).out.contains("--tables"));
    EXPECT_EQ(runTool({}).exitCode, 2);
    const ToolRun missing = runTool({"/nonexistent/folder/x"}, "CREATE TABLE t (a I)\n");
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains("/nonexistent/folder/x"));
    EXPECT_EQ(runTool({"--tables", "/nonexistent/folder/x"}).exitCode, 2);
}

}  // namespace
