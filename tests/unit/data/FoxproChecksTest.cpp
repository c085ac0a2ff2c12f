#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/RecordingReporter.h"
#include "core/ScriptedDialogs.h"
#include "data/ConnectionStrings.h"
#include "data/DataLink.h"
#include "data/Foxpro.h"
#include "data/TestConnectionCommands.h"
#include "tests/unit/data/QStringPrinting.h"

namespace {

ConnectionFields folderTarget(const QString& folder) {
    ConnectionFields f;
    f.folder = folder;
    return f;
}

const QString kMissing = QStringLiteral("/nonexistent/brindlecast/target");

TEST(FoxProCheck, MissingFolderOrEmptyContainerPathIsFalseWithoutReport) {
    RecordingReporter reporter;
    EXPECT_FALSE(IsValidFoxProConnection(folderTarget(kMissing), reporter));
    ConnectionFields dbc;
    dbc.optionDbc = true;
    EXPECT_FALSE(IsValidFoxProConnection(dbc, reporter));
    EXPECT_TRUE(reporter.messages.isEmpty());
}

TEST(FoxProTestConnection, RefusedTargetShowsOnlyItsOwnMessage) {
    RecordingReporter reporter;
    ScriptedDialogs dialogs;
    ConnectionFields dbc;
    dbc.optionDbc = true;  // DBCPath1 empty
    TestFoxProConnection(dbc, dialogs, dialogs, reporter);
    EXPECT_EQ(dialogs.shown, QStringList{QStringLiteral("Could not connect.")});
    EXPECT_EQ(dialogs.pointers, (QList<Pointer>{Pointer::Busy, Pointer::Normal}));
    EXPECT_TRUE(reporter.messages.isEmpty());
}

TEST(FoxProListing, TargetThatDoesNotOpenEndsAfterOneReportWithTheListEmpty) {
    RecordingReporter reporter;
    MemoryTableList list;
    list.addItem(QStringLiteral("stale"));
    AddTablesToFoxproListbox(folderTarget(kMissing), list, reporter);
    EXPECT_EQ(list.count(), 0);
    ASSERT_EQ(reporter.messages.size(), 1);
    EXPECT_TRUE(reporter.messages[0].contains(
        QStringLiteral("in Brindlecast2021/08/31.Foxpro.AddTablesToFoxproListbox at line 110")));
}

TEST(FoxProTarget, EmptyFolderOpensAndListsNothing) {
    QTemporaryDir dir;
    RecordingReporter reporter;
    ScriptedDialogs dialogs;
    TestFoxProConnection(folderTarget(dir.path()), dialogs, dialogs, reporter);
    EXPECT_EQ(dialogs.shown, QStringList{QStringLiteral("Connection successful.")});
    MemoryTableList list;
    list.addItem(QStringLiteral("stale"));
    AddTablesToFoxproListbox(folderTarget(dir.path()), list, reporter);
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(reporter.messages.isEmpty()) << reporter.messages.join("\n").toStdString();
}

TEST(FoxProTarget, FolderTablesAreListedOnceEvenWhenListedTwice) {
    QTemporaryDir dir;
    {
        DataLink::Connection target;
        target.open(foxProConnectionString(folderTarget(dir.path()), CollatingSequence::Machine));
        target.execute(QStringLiteral("CREATE TABLE people (id I, name C(20))"));
        target.execute(QStringLiteral("CREATE TABLE orders (id I)"));
    }
    RecordingReporter reporter;
    MemoryTableList list;
    AddTablesToFoxproListbox(folderTarget(dir.path()), list, reporter);
    AddTablesToFoxproListbox(folderTarget(dir.path()), list, reporter);
    QStringList names;
    for (int i = 0; i < list.count(); ++i) names << list.name(i).toLower();
    names.sort();
    EXPECT_EQ(names, (QStringList{"orders", "people"}));
    EXPECT_TRUE(reporter.messages.isEmpty()) << reporter.messages.join("\n").toStdString();
}

}  // namespace
