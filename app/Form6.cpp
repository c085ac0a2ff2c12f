#include "app/Form6.h"

#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/ControlColors.h"
#include "app/Form1.h"
#include "app/HandPointer.h"
#include "app/Layout.h"
#include "core/ErrorTrap.h"

using Layout::place;

Form6::Form6(Form1& owner, AppServices& services)
    : QDialog(&owner), owner_(owner), services_(services) {
    setObjectName(QStringLiteral("Form6"));
    buildLayout();
}

Form6::~Form6() = default;

void Form6::buildLayout() {
    setWindowTitle(QStringLiteral("Advanced Options"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFont(Layout::arialBold(9));
    setFixedSize(Layout::px(8040), Layout::px(1650));

    using Layout::make;
    Frame2 = make<QGroupBox>(this, "Frame2", QStringLiteral("Advanced Option"));
    place(Frame2, 120, 120, 7800, 885);
    Label1 = make<QLabel>(Frame2, "Label1", QStringLiteral("DBC File:"));
    place(Label1, 240, 360, 735, 225);
    Text1 = make<QLineEdit>(Frame2, "Text1");
    place(Text1, 1080, 330, 5775, 345);
    PushButton5 = make<QPushButton>(Frame2, "PushButton5", QStringLiteral("..."));
    place(PushButton5, 6960, 330, 600, 345);
    PushButton1 = make<QPushButton>(this, "PushButton1", QStringLiteral("OK"));
    place(PushButton1, 120, 1130, 3840, 405);
    PushButton2 = make<QPushButton>(this, "PushButton2", QStringLiteral("Cancel"));
    place(PushButton2, 4080, 1130, 3840, 405);
    Layout::widenLabels(this);
    for (QPushButton* button : {PushButton5, PushButton1, PushButton2}) {
        button->setFont(Layout::arialBold(11.25));
        button->setAutoDefault(false);
    }

    connect(PushButton5, &QPushButton::clicked, this, [this] { PushButton5_Click(); });
    connect(PushButton1, &QPushButton::clicked, this, [this] { PushButton1_Click(); });
    connect(PushButton2, &QPushButton::clicked, this, [this] { PushButton2_Click(); });
    // Every change is remembered, even when the window is then cancelled.
    connect(Text1, &QLineEdit::textChanged, this, [this](const QString& text) {
        services_.settings.write(QStringLiteral("DBCFile"), text);
    });
    Text1->installEventFilter(this);

    rules_ = new PointerRules(pointer_, this);
    for (QWidget* w :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(Frame2), static_cast<QWidget*>(Text1)})
        rules_->normalOver(w);
    for (QWidget* w : {PushButton5, PushButton1, PushButton2}) rules_->handOver(w);
}

void Form6::Form_Load() {
    ErrorTrap trap(services_.errors, QStringLiteral("Form6.Form_Load"));
    trap.step(100, [&] { ControlColors::apply(this); });
    trap.step(102, [&] { setWindowIcon(owner_.windowIcon()); });
    const QString cursorPath = services_.folder.file(QStringLiteral("HAND-M.CUR"));
    if (trap.test(106, [&] { return HandPointer::exists(cursorPath); }))
        trap.step(108, [&] { pointer_.setCustomImage(HandPointer::load(cursorPath)); });
    trap.step(110, [&] { Text1->setText(services_.settings.read(QStringLiteral("DBCFile"))); });
}

void Form6::PushButton5_Click() {
    ErrorTrap trap(services_.errors, QStringLiteral("Form6.PushButton5_Click"));
    QString fileName;
    // Lines 100 to 106 prepare the dialog: no preset name, the title and the .dbc filter.
    trap.step(108, [&] {
        fileName = services_.paths.openFileName(fileDialogTitle(), fileDialogFilter());
    });
    if (trap.test(110, [&] { return !fileName.isEmpty(); }))
        trap.step(112, [&] { Text1->setText(fileName); });
}

void Form6::PushButton1_Click() {
    ErrorTrap trap(services_.errors, QStringLiteral("Form6.PushButton1_Click"));
    if (trap.test(100, [&] { return !Text1->text().isEmpty(); })) {
        trap.step(102, [&] {
            offerToCreate(Text1->text());
            owner_.OptionDBC1 = true;
            owner_.DBCPath1 = Text1->text();
        });
        trap.step(104, [&] { services_.settings.write(QStringLiteral("FoxproOption"), "1"); });
    }
    trap.step(106, [&] { accept(); });
}

void Form6::PushButton2_Click() {
    ErrorTrap trap(services_.errors, QStringLiteral("Form6.PushButton2_Click"));
    trap.step(100, [&] { services_.settings.write(QStringLiteral("FoxproOption"), "2"); });
    trap.step(102, [&] { owner_.OptionDBC1 = false; });
    trap.step(104, [&] { reject(); });
}

QString Form6::createQuestion(const QString& dbcPath) {
    return QStringLiteral("The database container ") + dbcPath +
           QStringLiteral(
               " does not exist yet.\r\n\r\nWould you like to create an empty "
               "database container there?");
}

// Users without FoxPro cannot make a container themselves, so a chosen path that does not
// exist yet is offered to be created instead of failing later at the first connection.
void Form6::offerToCreate(const QString& dbcPath) {
    if (QFileInfo::exists(dbcPath)) return;
    if (services_.messages.askYesNo(createQuestion(dbcPath)))
        services_.containers.createEmptyContainer(dbcPath);
}

bool Form6::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1 && event->type() == QEvent::FocusIn) {
        Text1->selectAll();
        QTimer::singleShot(0, Text1, [edit = Text1] { edit->selectAll(); });
    }
    return QDialog::eventFilter(watched, event);
}
