#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "app/ApplicationTitle.h"
#include "tests/gui/app/GuiFixture.h"

namespace {

class StartUpTest : public GuiFixture {
protected:
    QRadioButton* option(const char* name) { return widget<QRadioButton>(name); }
    QString text(const char* name) { return widget<QLineEdit>(name)->text(); }
};

TEST_F(StartUpTest, FirstStartShowsDefaultsAndStoresOnlyWhatChanged) {
    start();
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(reporter.messages.isEmpty()) << reporter.messages.join("\n").toStdString();
    EXPECT_EQ(text("Text1"), "localhost");
    EXPECT_EQ(text("Text9"), "5432");
    for (const char* empty : {"Text3", "Text7", "Text10", "Text2"}) EXPECT_EQ(text(empty), "");
    EXPECT_EQ(widget<QCheckBox>("Check1")->checkState(), Qt::Checked);
    EXPECT_TRUE(option("Option1")->isChecked());
    EXPECT_FALSE(option("Option2")->isChecked());
    EXPECT_TRUE(option("Option1")->isEnabled());
    EXPECT_TRUE(option("Option2")->isEnabled());
    EXPECT_TRUE(form->OptionDBC1);
    EXPECT_EQ(form->DBCPath1, "");
    EXPECT_EQ(form->windowTitle(), "Brindlecast");
    EXPECT_FALSE(form->windowIcon().isNull());
    EXPECT_EQ(ApplicationTitle::current(), "Brindlecast");

    EXPECT_EQ(stored("PostgreSQLServer"), "localhost");
    EXPECT_EQ(stored("PostgreSQLPort"), "5432");
    EXPECT_EQ(stored("Check1"), "1");
    for (const char* untouched :
         {"PostgreSQLUser", "PostgreSQLPassword", "PostgreSQLDatabase", "FreeTableFolder",
          "DBCFile", "FoxproOption", "Option1", "Option2"})
        EXPECT_FALSE(isStored(untouched)) << untouched;
    EXPECT_EQ(QFile::permissions(settingsPath()), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ReadUser |
                                                      QFileDevice::WriteUser);
}

struct TargetCase {
    const char* name;
    const char* folder;
    const char* foxproOption;
    bool containerMode;
    const char* storedOptionAfter;
};

class TargetKindTest : public StartUpTest, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(TargetKindTest, RestoresTheTargetKind) {
    const TargetCase c = GetParam();
    preset("FreeTableFolder", c.folder);
    preset("FoxproOption", c.foxproOption);
    preset("DBCFile", "/data/shop.dbc");
    start();
    EXPECT_EQ(form->OptionDBC1, c.containerMode);
    EXPECT_EQ(form->DBCPath1, "/data/shop.dbc");
    EXPECT_EQ(text("Text2"), c.folder);
    EXPECT_EQ(stored("FoxproOption"), c.storedOptionAfter);
    EXPECT_TRUE(reporter.messages.isEmpty());
}

void PrintTo(const TargetCase& c, std::ostream* os) { *os << c.name; }

std::string caseName(const ::testing::TestParamInfo<TargetCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    FolderAndOption, TargetKindTest,
    ::testing::Values(TargetCase{"FolderWinsOverOne", "/data/free", "1", false, "2"},
                      TargetCase{"NoFolderOne", "", "1", true, "1"},
                      TargetCase{"NoFolderTwo", "", "2", false, "2"},
                      TargetCase{"LeadingBlankTwo", "", " 2", true, " 2"},  // a whole text
                      TargetCase{"LeadingZeroTwo", "", "02", true, "02"}),
    caseName);

TEST_F(StartUpTest, OptionTruthValuesAcceptNumbers) {
    preset("Option1", "0");
    preset("Option2", "-1");
    start();
    EXPECT_FALSE(option("Option1")->isChecked());
    EXPECT_TRUE(option("Option2")->isChecked());
    EXPECT_EQ(stored("Option1"), "False");
    EXPECT_EQ(stored("Option2"), "True");
    EXPECT_TRUE(reporter.messages.isEmpty());

    preset("Option1", "-1");
    preset("Option2", "0");
    start();
    EXPECT_TRUE(option("Option1")->isChecked());
    EXPECT_FALSE(option("Option2")->isChecked());
}

TEST_F(StartUpTest, UnreadableValuesAreReportedAndTheLoadGoesOn) {
    preset("Check1", "yes");
    preset("Option2", "maybe");
    preset("PostgreSQLServer", "db.example");
    start();
    ASSERT_EQ(reporter.messages.size(), 2);
    EXPECT_EQ(reporter.titles.at(0), "Application Error");
    EXPECT_TRUE(reporter.messages.at(0).startsWith(
        "Type mismatch\r\nin Brindlecast2021/08/31.Form1.Form_Load at line 130\r\r"));
    EXPECT_TRUE(reporter.messages.at(1).contains("Form1.Form_Load at line 134"));
    // The check box keeps its designed state (off), and the closing click stores that.
    EXPECT_EQ(widget<QCheckBox>("Check1")->checkState(), Qt::Unchecked);
    EXPECT_FALSE(option("Option1")->isEnabled());
    EXPECT_EQ(stored("Check1"), "0");
    EXPECT_EQ(text("Text1"), "db.example");
    EXPECT_TRUE(loaded);
}

TEST_F(StartUpTest, CheckBoxValuesOutsideItsRangeAreReported) {
    preset("Check1", "70000");
    start();
    ASSERT_EQ(reporter.messages.size(), 1);
    EXPECT_TRUE(reporter.messages.at(0).startsWith("Overflow\r\n"));
    preset("Check1", "2");  // grey: preview off, options disabled
    reporter.messages.clear();
    start();
    EXPECT_TRUE(reporter.messages.isEmpty());
    EXPECT_EQ(widget<QCheckBox>("Check1")->checkState(), Qt::PartiallyChecked);
    EXPECT_FALSE(option("Option2")->isEnabled());
    EXPECT_FALSE(form->previewMode());
}

TEST_F(StartUpTest, FieldsSurviveARestartExactlyAsTyped) {
    start();
    type("Text1", "");
    type("Text7", "  pass word  ");
    type("Text3", "shop,owner");
    EXPECT_EQ(stored("PostgreSQLServer"), "");
    start();
    EXPECT_EQ(text("Text1"), "");  // an emptied server stays empty, no "localhost"
    EXPECT_EQ(text("Text7"), "  pass word  ");
    EXPECT_EQ(text("Text3"), "shop,owner");
    EXPECT_EQ(widget<QLineEdit>("Text7")->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(
        widget<QLineEdit>("Text7")->styleSheet().contains("lineedit-password-character: 42"));
}

TEST_F(StartUpTest, EveryKeystrokeIsStored) {
    start();
    QLineEdit* port = widget<QLineEdit>("Text9");
    port->selectAll();
    port->insert("6");
    EXPECT_EQ(stored("PostgreSQLPort"), "6");
    port->insert("5");
    EXPECT_EQ(stored("PostgreSQLPort"), "65");
}

TEST_F(StartUpTest, ApplicationTitleDropsTheLastWordAtLeastOnce) {
    productName = "Brindlecast Database Conversion Toolkits";  // 40 characters
    ASSERT_EQ(productName.size(), 40);
    start();
    EXPECT_EQ(ApplicationTitle::current(), "Brindlecast Database Conversion");
    EXPECT_EQ(form->windowTitle(), productName);
    EXPECT_EQ(ApplicationTitle::fromProductName(
                  "Brindlecast Database Conversion Toolkit For Visual FoxPro Users"),
              "Brindlecast Database Conversion Toolkit");
    EXPECT_EQ(ApplicationTitle::fromProductName("Brindlecast"), "Brindlecast");
}

TEST_F(StartUpTest, AnInstalledProgramFindsItsFilesInTheShareFolder) {
    const QString share = tempPath("share");
    QDir().mkpath(share + "/Samples");
    const ProgramFolder installed(programFolder(), share);
    EXPECT_EQ(installed.file("Samples"), share + "/Samples");
    EXPECT_EQ(installed.file("HAND-M.CUR"), programFolder() + "/HAND-M.CUR");  // nowhere: beside
    QDir().mkpath(programFolder() + "/Samples");
    EXPECT_EQ(installed.file("Samples"), programFolder() + "/Samples");  // beside wins
}

TEST_F(StartUpTest, MissingProviderEndsTheProgram) {
    providerAvailable = false;
    start();
    EXPECT_FALSE(loaded);
}

TEST_F(StartUpTest, ThemeFileColoursTheWindow) {
    start();
    EXPECT_TRUE(form->styleSheet().isEmpty());
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(Qt::white));

    installProgramFile("x/o.cjs", "x/o.cjs");
    start();
    EXPECT_TRUE(form->styleSheet().contains("QPushButton"));
    const QColor face = form->palette().color(QPalette::Button);
    EXPECT_EQ(form->palette().color(QPalette::Window), face);
    EXPECT_EQ(widget<QGroupBox>("Frame1")->palette().color(QPalette::Window), face);
    EXPECT_TRUE(reporter.messages.isEmpty());
}

struct Placement {
    const char* name;
    int left, top, width, height;  // twips
};

TEST_F(StartUpTest, ControlsStandWhereTheLayoutPutsThem) {
    start();
    EXPECT_EQ(form->size(), QSize(536, 494));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());  // fixed border
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    const Placement table[] = {
        {"PushButton5", 120, 120, 7800, 405},   {"Frame1", 120, 660, 7800, 2895},
        {"Text1", 1320, 360, 4575, 345},        {"Text9", 6480, 360, 1095, 345},
        {"Text7", 1320, 1320, 6255, 345},       {"PushButton1", 240, 2280, 3600, 400},
        {"PushButton4", 3960, 2280, 3600, 405}, {"Frame3", 120, 3660, 7800, 1425},
        {"Text2", 2400, 270, 4455, 345},        {"PushButton12", 6960, 750, 600, 405},
        {"Frame2", 120, 5190, 7800, 1065},      {"Option2", 3600, 630, 3375, 255},
        {"PushButton7", 120, 6375, 7800, 405},  {"ProgressBar1", 120, 6900, 7800, 405},
        {"List1", 240, 8820, 3330, 1635},       {"List2", 3840, 8820, 3330, 1635}};
    for (const Placement& p : table) {
        QWidget* w = widget<QWidget>(p.name);
        const QRect expected(qRound(p.left / 15.0), qRound(p.top / 15.0), qRound(p.width / 15.0),
                             qRound(p.height / 15.0));
        EXPECT_EQ(w->geometry(), expected) << p.name;
    }
    EXPECT_GE(widget<QWidget>("List1")->y(), form->height());  // below the client area
    EXPECT_EQ(widget<QPushButton>("PushButton3")->text(), "Load Sample/Example Database");
    EXPECT_EQ(widget<QLabel>("Label1")->text(), "Folder containing DBF/s:");
    EXPECT_EQ(widget<QProgressBar>("ProgressBar1")->text(), "Progress Bar");
    EXPECT_DOUBLE_EQ(widget<QPushButton>("PushButton7")->font().pointSizeF(), 11.25);
    EXPECT_DOUBLE_EQ(widget<QLabel>("Label6")->font().pointSizeF(), 9);
    EXPECT_TRUE(widget<QLabel>("Label6")->font().bold());
}

}  // namespace
