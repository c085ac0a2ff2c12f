#include <QApplication>
#include <QCheckBox>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "core/Product.h"
#include "tests/gui/app/GuiFixture.h"
#include "tests/support/TestEnvironment.h"

namespace {

class CommandsTest : public GuiFixture {
protected:
    void hover(const char* name) {
        QWidget* w = widget<QWidget>(name);
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(w, &enter);
    }
    // A move over an empty spot of a frame or the window.
    void moveOverBackground(const char* name) {
        QWidget* w = name ? widget<QWidget>(name) : form.get();
        const QPoint spot(3, w->height() - 3);
        ASSERT_EQ(w->childAt(spot), nullptr);
        QMouseEvent move(QEvent::MouseMove, QPointF(spot), w->mapToGlobal(QPointF(spot)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
    Pointer pointer() const { return form->windowPointer().pointer(); }
};

TEST_F(CommandsTest, LoadSampleReplacesTheFolderAndLeavesTheContainerAlone) {
    preset("FreeTableFolder", "/data/mine");
    preset("DBCFile", "/data/shop.dbc");
    start();
    const QString samples = programFolder() + "/Samples";
    click("PushButton3");
    EXPECT_EQ(widget<QLineEdit>("Text2")->text(), samples);
    EXPECT_EQ(stored("FreeTableFolder"), samples);
    EXPECT_EQ(stored("FoxproOption"), "2");
    EXPECT_FALSE(form->OptionDBC1);
    EXPECT_EQ(form->DBCPath1, "/data/shop.dbc");
    EXPECT_EQ(stored("DBCFile"), "/data/shop.dbc");
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_TRUE(reporter.messages.isEmpty());

    // A second click finds the same text: only the target kind is written again.
    preset("FreeTableFolder", "marker");
    preset("FoxproOption", "1");
    form->OptionDBC1 = true;
    click("PushButton3");
    EXPECT_EQ(stored("FreeTableFolder"), "marker");
    EXPECT_EQ(stored("FoxproOption"), "2");
    EXPECT_FALSE(form->OptionDBC1);
}

TEST_F(CommandsTest, HelpTextsNameOurAddressesAndOpenNothing) {
    start();
    click("PushButton4");
    click("PushButton5");
    ASSERT_EQ(dialogs.shown.size(), 2);
    const QString site = QString::fromLatin1(Product::kWebsite);
    EXPECT_EQ(dialogs.shown.at(0),
              "If you can not connect, please try downloading pgAdmin III. If you can not connect "
              "with that software, you know the login information you are providing here is "
              "incorrect.\r\n\r\nhttps://www.pgadmin.org/download/");
    EXPECT_EQ(dialogs.shown.at(1),
              "This software transfers text-based and numeric fields but does not handle binary / "
              "pictures fields.\r\n\r\nUse SQL Preview if your tables contains less than 32767 "
              "rows.\r\n\r\nQuestions? Please contact Team Marrowick at " +
                  site + "/contact/");
    EXPECT_EQ(dialogs.titles, QStringList({"", ""}));  // the application title
    EXPECT_TRUE(dialogs.openedUrls.isEmpty());
}

TEST_F(CommandsTest, PreviewCheckBoxEnablesOptionsAndKeepsTheirSelection) {
    start();
    auto* check = widget<QCheckBox>("Check1");
    auto* each = widget<QRadioButton>("Option2");
    each->click();
    EXPECT_EQ(stored("Option1"), "False");
    EXPECT_EQ(stored("Option2"), "True");
    EXPECT_TRUE(form->previewEachTable());

    check->click();
    EXPECT_EQ(stored("Check1"), "0");
    EXPECT_FALSE(form->previewMode());
    EXPECT_FALSE(each->isEnabled());
    EXPECT_FALSE(widget<QRadioButton>("Option1")->isEnabled());
    EXPECT_TRUE(each->isChecked());

    check->click();
    EXPECT_EQ(stored("Check1"), "1");
    EXPECT_TRUE(each->isEnabled());
    EXPECT_TRUE(each->isChecked());

    widget<QRadioButton>("Option1")->click();
    EXPECT_EQ(stored("Option1"), "True");
    EXPECT_EQ(stored("Option2"), "False");
    EXPECT_TRUE(form->previewEachFile());
}

TEST_F(CommandsTest, HandOverButtonsNormalOverBackgroundsNeverOverBusy) {
    installProgramFile("HAND-M.CUR", "HAND-M.CUR");
    start();
    EXPECT_TRUE(reporter.messages.isEmpty());
    ASSERT_TRUE(form->windowPointer().hasCustomImage());
    hover("PushButton7");
    EXPECT_EQ(pointer(), Pointer::Custom);
    EXPECT_EQ(form->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(form->cursor().hotSpot(), QPoint(5, 0));
    moveOverBackground("Frame1");
    EXPECT_EQ(pointer(), Pointer::Normal);
    hover("PushButton12");
    EXPECT_EQ(pointer(), Pointer::Custom);
    hover("Text2");
    EXPECT_EQ(pointer(), Pointer::Normal);
    hover("PushButton2");
    hover("Text3");  // fields other than Text1 and Text2 change nothing
    hover("Check1");
    EXPECT_EQ(pointer(), Pointer::Custom);
    moveOverBackground(nullptr);
    EXPECT_EQ(pointer(), Pointer::Normal);

    form->pointer().setPointer(Pointer::Busy);
    hover("PushButton1");
    moveOverBackground("Frame3");
    hover("Text1");
    EXPECT_EQ(pointer(), Pointer::Busy);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    form->pointer().setPointer(Pointer::Normal);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(CommandsTest, WithoutACursorFileTheHandShowsAsTheNormalPointer) {
    start();
    EXPECT_TRUE(reporter.messages.isEmpty());
    hover("PushButton5");
    EXPECT_EQ(pointer(), Pointer::Custom);
    EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(CommandsTest, AnUnreadableCursorFileIsReportedAtLine106) {
    QFile bad(programFolder() + "/HAND-M.CUR");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a cursor");
    bad.close();
    start();
    ASSERT_EQ(reporter.messages.size(), 1);
    EXPECT_TRUE(reporter.messages.at(0).contains("Form1.Form_Load at line 106"));
    EXPECT_FALSE(form->windowPointer().hasCustomImage());
    EXPECT_TRUE(loaded);
}

TEST_F(CommandsTest, FocusSelectsTheWholeServerPortAndFolder) {
    start();
    for (const char* name : {"Text1", "Text9", "Text2"}) {
        QLineEdit* field = widget<QLineEdit>(name);
        field->setText("some text");
        field->deselect();
        QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
        QApplication::sendEvent(field, &focus);
        QApplication::processEvents();
        EXPECT_EQ(field->selectedText(), "some text") << name;
    }
    QLineEdit* user = widget<QLineEdit>("Text3");
    user->setText("u");
    user->deselect();
    QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(user, &focus);
    QApplication::processEvents();
    EXPECT_EQ(user->selectedText(), "");
}

TEST_F(CommandsTest, PostgreSQLTestConnectionAnswersForTheFields) {
    if (!TestEnvironment::hasPostgres()) GTEST_SKIP() << "no test PostgreSQL";
    start();
    type("Text1", TestEnvironment::pgHost());
    type("Text9", TestEnvironment::pgPort());
    type("Text3", TestEnvironment::pgUser());
    type("Text7", TestEnvironment::pgPassword());
    type("Text10", "postgres");
    click("PushButton1");
    type("Text7", "wrong");
    click("PushButton1");
    EXPECT_EQ(dialogs.shown,
              QStringList({"Connection successful.",
                           "Could not connect. Please check with your administrator."}));
    EXPECT_EQ(pointer(), Pointer::Normal);
    EXPECT_TRUE(reporter.messages.isEmpty());
}

}  // namespace
