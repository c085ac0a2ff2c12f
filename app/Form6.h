#pragma once

#include <QDialog>

#include "app/AppServices.h"
#include "app/PointerRules.h"
#include "app/WidgetPointer.h"

class Form1;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Advanced Options": chooses the FoxPro database container. Shown modally over the main
// window; each opening fills the path again from the remembered DBCFile.
class Form6 : public QDialog {
public:
    Form6(Form1& owner, AppServices& services);
    ~Form6() override;

    void Form_Load();
    void PushButton5_Click();  // "...": pick the .dbc file
    void PushButton1_Click();  // OK
    void PushButton2_Click();  // Cancel

    static QString fileDialogTitle() { return QStringLiteral("Select Foxpro Database"); }
    static QString fileDialogFilter() { return QStringLiteral("Microsoft Database (*.dbc)"); }
    static QString createQuestion(const QString& dbcPath);

    WindowPointer& pointer() { return pointer_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void offerToCreate(const QString& dbcPath);

    Form1& owner_;
    AppServices& services_;
    WidgetPointer pointer_{this};
    PointerRules* rules_ = nullptr;

    QGroupBox* Frame2 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* PushButton5 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;
};
