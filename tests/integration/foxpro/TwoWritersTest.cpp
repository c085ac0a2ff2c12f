// A table is written by one connection at a time; the second gets a clear failure.
#include <gtest/gtest.h>

#include <QProcess>

#include "foxpro/Error.h"
#include "foxpro/Session.h"
#include "tests/unit/foxpro/TempFolder.h"

namespace {

TEST(TwoWriters, TheSecondConnectionIsRefusedUntilTheFirstCloses) {
    TempFolder folder;
    auto first = foxpro::Session::openFolder(folder.path());
    auto second = foxpro::Session::openFolder(folder.path());
    first->execute("CREATE TABLE shared (n I)");
    first->execute("INSERT INTO shared VALUES (1)");
    for (const char* statement : {"INSERT INTO shared VALUES (2)", "DROP TABLE shared"}) {
        try {
            second->execute(statement);
            FAIL() << "accepted: " << statement;
        } catch (const foxpro::Error& e) {
            EXPECT_EQ(e.number(), 108);
            EXPECT_EQ(std::string(e.what()),
                      "File \"shared.dbf\" is in use by another connection: Resource temporarily "
                      "unavailable.");
        }
    }
    EXPECT_THROW(second->execute("CREATE TABLE shared (n I)"), foxpro::Error);
    first->close();
    second->execute("INSERT INTO shared VALUES (2)");
    second->execute("DROP TABLE shared");
    EXPECT_TRUE(folder.snapshot().empty());
}

TEST(TwoWriters, AnotherProcessIsRefusedToo) {
    TempFolder folder;
    auto holder = foxpro::Session::openFolder(folder.path());
    holder->execute("CREATE TABLE shared (n I)");
    QProcess tool;
    tool.start(BRINDLECAST_SQL_BIN, {QString::fromStdString(folder.path())});
    tool.write("INSERT INTO shared VALUES (5)\n");
    tool.closeWriteChannel();
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(tool.readAllStandardError()).trimmed(),
              "line 1: File \"shared.dbf\" is in use by another connection: Resource "
              "temporarily unavailable.");
}

}  // namespace
