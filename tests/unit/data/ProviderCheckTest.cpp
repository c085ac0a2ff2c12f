#include <gtest/gtest.h>

#include <stdexcept>

#include "core/Failure.h"
#include "core/ScriptedDialogs.h"
#include "data/ODBCProvider.h"
#include "tests/unit/data/QStringPrinting.h"

namespace {

std::function<void()> failingWith(long number, const char* description) {
    return [=] { throw Failure(number, QString::fromUtf8(description)); };
}

TEST(ProviderCheck, CreatedComponentPassesSilently) {
    ScriptedDialogs dialogs;
    EXPECT_TRUE(IsProviderAvailable(dialogs, dialogs, [] {}));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST(ProviderCheck, TheRealDriverManagerAndDriverAreFoundHere) {
    ScriptedDialogs dialogs;
    EXPECT_TRUE(IsProviderAvailable(dialogs, dialogs));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST(ProviderCheck, MessageHasSevenParagraphsWithTheKeptTexts) {
    const QStringList parts = providerMissingMessage().split(QStringLiteral("\r\n\r\n"));
    ASSERT_EQ(parts.size(), 7);
    EXPECT_EQ(parts[0], "Error #3706: Provider cannot be found. It may not be properly installed.");
    EXPECT_EQ(parts[1], "You are getting this error because:");
    EXPECT_TRUE(parts[2].startsWith("1. ") && parts[2].contains("unixODBC"));
    EXPECT_TRUE(parts[3].startsWith("2. ") && parts[3].contains("\"PostgreSQL Unicode\""));
    EXPECT_TRUE(parts[4].contains("unixodbc") && parts[4].contains("odbc-postgresql"));
    EXPECT_EQ(parts[5], "Would you like me to open the Microsoft site now so you can do this?");
    EXPECT_EQ(parts[6],
              "(If you have any further questions please email a screenshot of this "
              "error message to support@brindlecast.org)");
    for (const QString& part : parts) EXPECT_FALSE(part.contains('\r') || part.contains('\n'));
}

TEST(ProviderCheck, DescriptionInAnyLetterCaseAsksAndNoOpensNothing) {
    for (const char* text : {"Provider Cannot Be Found.", "the PROVIDER cannot be FOUND here"}) {
        ScriptedDialogs dialogs;
        dialogs.answers = {false};
        EXPECT_FALSE(IsProviderAvailable(dialogs, dialogs, failingWith(1, text)));
        ASSERT_EQ(dialogs.shown.size(), 1) << text;
        EXPECT_EQ(dialogs.shown[0], providerMissingMessage());
        EXPECT_TRUE(dialogs.titles[0].isEmpty());  // the application title
        EXPECT_TRUE(dialogs.openedUrls.isEmpty());
    }
}

TEST(ProviderCheck, Number3706WithOtherWordsAlsoAsks) {
    ScriptedDialogs dialogs;
    EXPECT_FALSE(IsProviderAvailable(dialogs, dialogs, failingWith(3706, "libodbc missing")));
    EXPECT_EQ(dialogs.shown.size(), 1);
}

TEST(ProviderCheck, YesOpensDriverManagerPageThenDriverPage) {
    ScriptedDialogs dialogs;
    dialogs.answers = {true};
    EXPECT_FALSE(IsProviderAvailable(dialogs, dialogs, failingWith(3706, "x")));
    ASSERT_EQ(dialogs.openedUrls.size(), 2);
    EXPECT_EQ(dialogs.openedUrls[0], QString::fromLatin1(kDriverManagerDownloadUrl));
    EXPECT_EQ(dialogs.openedUrls[1], QString::fromLatin1(kPostgreSQLDriverDownloadUrl));
    EXPECT_TRUE(dialogs.openedUrls[0].contains("unixodbc"));
}

TEST(ProviderCheck, OtherFailuresEndSilently) {
    ScriptedDialogs dialogs;
    EXPECT_FALSE(IsProviderAvailable(dialogs, dialogs, failingWith(7, "Out of memory")));
    EXPECT_FALSE(IsProviderAvailable(dialogs, dialogs, [] { throw std::runtime_error("boom"); }));
    EXPECT_FALSE(IsProviderAvailable(dialogs, dialogs, [] { throw 42; }));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

class FailingOpener : public UrlOpener {
public:
    void openUrl(const QString& address) override {
        requested << address;
        throw Failure(5, QStringLiteral("no browser"));
    }
    QStringList requested;
};

TEST(ProviderCheck, AFailingPageStillRequestsTheNext) {
    ScriptedDialogs dialogs;
    dialogs.answers = {true};
    FailingOpener opener;
    EXPECT_FALSE(IsProviderAvailable(dialogs, opener, failingWith(3706, "x")));
    EXPECT_EQ(opener.requested.size(), 2);
}

}  // namespace
