#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/Form6.h"
#include "data/ConnectionStrings.h"
#include "tests/gui/app/GuiFixture.h"

namespace {

class TargetSelectionTest : public GuiFixture {
protected:
    QString text2() { return widget<QLineEdit>("Text2")->text(); }

    // Opens Advanced Options as the "dbc" button does and lets `act` work in it.
    void withAdvancedOptions(const std::function<void(Form6&)>& act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = dynamic_cast<Form6*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            act(*dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        click("PushButton12");
        EXPECT_TRUE(seen);
    }
    QLineEdit* dbcField(Form6& dialog) { return dialog.findChild<QLineEdit*>("Text1"); }
    void press(Form6& dialog, const char* name) {
        dialog.findChild<QPushButton*>(QLatin1String(name))->click();
    }
};

TEST_F(TargetSelectionTest, CancelledFolderBrowserChangesNothing) {
    preset("FreeTableFolder", "/data/old");
    start();
    click("PushButton2");
    ASSERT_EQ(paths.prompts, QStringList{"Please select folder:"});
    EXPECT_EQ(paths.initialFolders, QStringList{""});
    EXPECT_EQ(text2(), "/data/old");
    EXPECT_EQ(stored("FreeTableFolder"), "/data/old");
    EXPECT_EQ(stored("FoxproOption"), "2");
}

TEST_F(TargetSelectionTest, BrowsedFolderBecomesTheTarget) {
    preset("FoxproOption", "1");
    start();
    ASSERT_TRUE(form->OptionDBC1);
    paths.folders << "/data/free tables";
    click("PushButton2");
    EXPECT_EQ(text2(), "/data/free tables");
    EXPECT_EQ(stored("FreeTableFolder"), "/data/free tables");
    EXPECT_EQ(stored("FoxproOption"), "2");
    EXPECT_FALSE(form->OptionDBC1);
    EXPECT_EQ(form->connectionFields().folder, "/data/free tables");
}

TEST_F(TargetSelectionTest, ClearingTheFolderKeepsTheTargetKind) {
    preset("FoxproOption", "1");
    start();
    type("Text2", "/data/x");
    ASSERT_FALSE(form->OptionDBC1);
    form->OptionDBC1 = true;  // as after OK in Advanced Options
    type("Text2", "");
    EXPECT_EQ(stored("FreeTableFolder"), "");
    EXPECT_TRUE(form->OptionDBC1);
    EXPECT_EQ(stored("FoxproOption"), "2");
}

TEST_F(TargetSelectionTest, OkWithAChosenContainerSelectsItAndSurvivesOnlyWithoutAFolder) {
    const QString dbc = tempPath("shop.dbc");
    QFile(dbc).open(QIODevice::WriteOnly);
    start();
    withAdvancedOptions([&](Form6& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Advanced Options");
        paths.files << dbc;
        press(dialog, "PushButton5");
        EXPECT_EQ(dbcField(dialog)->text(), dbc);
        press(dialog, "PushButton1");
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(paths.titles, QStringList{"Select Foxpro Database"});
    EXPECT_EQ(paths.filters, QStringList{"Microsoft Database (*.dbc)"});
    EXPECT_TRUE(dialogs.shown.isEmpty());  // the file exists: no question
    EXPECT_TRUE(form->OptionDBC1);
    EXPECT_EQ(form->DBCPath1, dbc);
    EXPECT_EQ(stored("FoxproOption"), "1");
    EXPECT_EQ(stored("DBCFile"), dbc);
    // The next FoxPro "Test Connection" opens that container with the machine collation.
    EXPECT_EQ(foxProCheckConnectionString(form->connectionFields()),
              "Provider=vfpoledb.1;Data Source=" + dbc + ";Collating Sequence=machine;");

    start();  // no folder remembered: container mode again
    EXPECT_TRUE(form->OptionDBC1);
    EXPECT_EQ(form->DBCPath1, dbc);

    type("Text2", "/data/free");
    start();  // a remembered folder wins at the next start
    EXPECT_FALSE(form->OptionDBC1);
}

TEST_F(TargetSelectionTest, CancelledFileDialogAndEmptyOkChangeNothing) {
    preset("FoxproOption", "2");
    start();
    withAdvancedOptions([&](Form6& dialog) {
        press(dialog, "PushButton5");  // the file dialog is cancelled
        EXPECT_EQ(dbcField(dialog)->text(), "");
        press(dialog, "PushButton1");
    });
    EXPECT_FALSE(form->OptionDBC1);
    EXPECT_EQ(stored("FoxproOption"), "2");
    EXPECT_FALSE(isStored("DBCFile"));
}

TEST_F(TargetSelectionTest, CancelSwitchesToTheFolderButKeepsTheTypedPath) {
    preset("DBCFile", "/data/old.dbc");
    start();
    ASSERT_TRUE(form->OptionDBC1);
    ASSERT_EQ(text2(), "");
    withAdvancedOptions([&](Form6& dialog) {
        EXPECT_EQ(dbcField(dialog)->text(), "/data/old.dbc");  // filled from the store
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(dialog.findChild<QPushButton*>("PushButton2"), &enter);
        EXPECT_EQ(dialog.pointer().pointer(), Pointer::Custom);
        QApplication::sendEvent(dbcField(dialog), &enter);
        EXPECT_EQ(dialog.pointer().pointer(), Pointer::Normal);
        dbcField(dialog)->selectAll();
        dbcField(dialog)->insert("/data/new.dbc");
        press(dialog, "PushButton2");
    });
    EXPECT_FALSE(form->OptionDBC1);
    EXPECT_EQ(stored("FoxproOption"), "2");
    EXPECT_EQ(stored("DBCFile"), "/data/new.dbc");
    EXPECT_EQ(form->DBCPath1, "/data/old.dbc");
}

TEST_F(TargetSelectionTest, AMissingContainerIsOfferedToBeCreated) {
    const QString missing = tempPath("new/shop.dbc");
    start();
    dialogs.answers << false;
    withAdvancedOptions([&](Form6& dialog) {
        dbcField(dialog)->setText(missing);
        press(dialog, "PushButton1");
    });
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown.at(0), Form6::createQuestion(missing));
    EXPECT_TRUE(creator.created.isEmpty());
    EXPECT_EQ(form->DBCPath1, missing);  // the choice stands either way

    dialogs.answers << true;
    withAdvancedOptions([&](Form6& dialog) { press(dialog, "PushButton1"); });
    EXPECT_EQ(creator.created, QStringList{missing});
    EXPECT_TRUE(form->OptionDBC1);
    EXPECT_EQ(stored("FoxproOption"), "1");
}

TEST_F(TargetSelectionTest, FoxProTestConnectionRefusesAnEmptyContainerPath) {
    start();
    ASSERT_TRUE(form->OptionDBC1);
    click("PushButton8");
    EXPECT_EQ(dialogs.shown, QStringList{"Could not connect."});
    EXPECT_EQ(form->windowPointer().pointer(), Pointer::Normal);
    EXPECT_TRUE(reporter.messages.isEmpty());
}

TEST_F(TargetSelectionTest, FoxProTestConnectionOpensAFolder) {
    start();
    type("Text2", QDir::tempPath());
    click("PushButton8");
    EXPECT_EQ(dialogs.shown, QStringList{"Connection successful."});
}

}  // namespace
