#include <gtest/gtest.h>

#include <stdexcept>

#include "core/ErrorTrap.h"
#include "core/Failure.h"
#include "core/RecordingReporter.h"

namespace {

const QString kRequest = QStringLiteral("Please email screenshot of this message to support@brindlecast.org");

QString expected(const QString& description, const QString& location, int line) {
    return description + "\r\nin Brindlecast2021/08/31." + location + " at line " +
           QString::number(line) + "\r\r" + kRequest;
}

// A helper without a trap of its own: it just throws.
void failingHelper() { throw Failure(5, QStringLiteral("Helper broke")); }

TEST(ErrorTrap, FailureOnTheFirstLineReportsLine100WithTitleAndExactText) {
    RecordingReporter reporter;
    ErrorTrap trap(reporter, QStringLiteral("Form1.Form_Load"));
    trap.step(100, [] { throw Failure(13, QStringLiteral("Type mismatch")); });
    ASSERT_EQ(reporter.messages.size(), 1);
    EXPECT_EQ(reporter.titles[0], QStringLiteral("Application Error"));
    EXPECT_EQ(reporter.messages[0], expected("Type mismatch", "Form1.Form_Load", 100));
}

TEST(ErrorTrap, EmptyDescriptionStillStartsWithTheLineBreak) {
    RecordingReporter reporter;
    ErrorTrap trap(reporter, QStringLiteral("Form2.PushButton1_Click"));
    trap.step(104, [] { throw Failure(0, QString()); });
    ASSERT_EQ(reporter.messages.size(), 1);
    EXPECT_TRUE(reporter.messages[0].startsWith("\r\nin Brindlecast2021/08/31.Form2.PushButton1_Click at line 104\r\r"));
}

TEST(ErrorTrap, TwoFailuresGiveTwoReportsAndTheProcedureReachesItsEnd) {
    RecordingReporter reporter;
    ErrorTrap trap(reporter, QStringLiteral("Form1.PushButton7_Click"));
    bool reachedEnd = false;
    trap.step(120, [] { throw std::runtime_error("first"); });
    trap.step(122, [] {});
    trap.step(124, [] { throw std::runtime_error("second"); });
    trap.step(126, [&] { reachedEnd = true; });
    ASSERT_EQ(reporter.messages.size(), 2);
    EXPECT_EQ(reporter.messages[0], expected("first", "Form1.PushButton7_Click", 120));
    EXPECT_EQ(reporter.messages[1], expected("second", "Form1.PushButton7_Click", 124));
    EXPECT_TRUE(reachedEnd);
}

TEST(ErrorTrap, AFailingTestRunsTheGuardedBody) {
    RecordingReporter reporter;
    ErrorTrap trap(reporter, QStringLiteral("Form1.PushButton7_Click"));
    bool bodyRan = false;
    if (trap.test(162, []() -> bool { throw Failure(1, QStringLiteral("List gone")); })) bodyRan = true;
    EXPECT_TRUE(bodyRan);
    EXPECT_EQ(reporter.messages.size(), 1);
    EXPECT_FALSE(trap.test(164, [] { return false; }));
    EXPECT_EQ(reporter.messages.size(), 1);
}

TEST(ErrorTrap, HelperFailureCarriesTheCallersLocationAndLineAndTheCallerGoesOn) {
    RecordingReporter reporter;
    ErrorTrap trap(reporter, QStringLiteral("Form1.Form_Load"));
    int after = 0;
    trap.step(128, [] { failingHelper(); });
    trap.step(130, [&] { after = 1; });
    ASSERT_EQ(reporter.messages.size(), 1);
    EXPECT_EQ(reporter.messages[0], expected("Helper broke", "Form1.Form_Load", 128));
    EXPECT_EQ(after, 1);
}

TEST(ErrorTrap, ValueOfAFailedStepKeepsWhatItHeld) {
    RecordingReporter reporter;
    ErrorTrap trap(reporter, QStringLiteral("Form1.Form_Load"));
    int value = 7;
    trap.step(110, [&] {
        const int computed = [] () -> int { throw std::runtime_error("no value"); }();
        value = computed;
    });
    EXPECT_EQ(value, 7);
}

TEST(ErrorTrap, UnknownThrowablesAreStillReported) {
    RecordingReporter reporter;
    ErrorTrap trap(reporter, QStringLiteral("Form1.Form_Load"));
    trap.step(102, [] { throw 42; });
    ASSERT_EQ(reporter.messages.size(), 1);
    EXPECT_TRUE(reporter.messages[0].startsWith("Unknown error\r\n"));
}

}  // namespace
