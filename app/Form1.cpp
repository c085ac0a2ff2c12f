#include "app/Form1.h"

#include <unistd.h>
#include <QApplication>

#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "app/ApplicationTitle.h"
#include "app/ControlColors.h"
#include "app/Form6.h"
#include "app/HandPointer.h"
#include "app/Layout.h"
#include "app/StoredValue.h"
#include "core/ErrorTrap.h"
#include "core/Failure.h"
#include "core/Product.h"
#include "data/TestConnectionCommands.h"
#include "engine/ConversionRun.h"

using Layout::make;
using Layout::place;

namespace {
const long kFileNotFound = 53;

QString key(const char* name) {
    return QLatin1String(name);
}

// The check box values as the program stores them: 0 off, 1 on, 2 grey.
Qt::CheckState toQtState(int value) {
    return value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}
int fromQtState(Qt::CheckState state) {
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}
}  // namespace

Form1::Form1(AppServices& services) : QWidget(nullptr), services_(services) {
    setObjectName(QStringLiteral("Form1"));
    buildLayout();
    connectHandlers();
    run_ = std::make_unique<ConversionRun>(*this);
    sinceEvents_.start();
}

Form1::~Form1() = default;

void Form1::buildLayout() {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(Layout::px(8040), Layout::px(7410));
    setFont(Layout::arialBold(9));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    PushButton5 = make<QPushButton>(this, "PushButton5", QStringLiteral("Help"));
    place(PushButton5, 120, 120, 7800, 405);

    Frame1 = make<QGroupBox>(this, "Frame1", QStringLiteral("PostgreSQL Database"));
    place(Frame1, 120, 660, 7800, 2895);
    place(make<QLabel>(Frame1, "Label6", QStringLiteral("Server:")), 240, 405, 1095, 255);
    Text1 = make<QLineEdit>(Frame1, "Text1");
    place(Text1, 1320, 360, 4575, 345);
    place(make<QLabel>(Frame1, "Label8", QStringLiteral("Port:")), 6000, 405, 495, 255);
    Text9 = make<QLineEdit>(Frame1, "Text9");
    place(Text9, 6480, 360, 1095, 345);
    place(make<QLabel>(Frame1, "Label2", QStringLiteral("Username:")), 240, 885, 1095, 255);
    Text3 = make<QLineEdit>(Frame1, "Text3");
    place(Text3, 1320, 870, 6255, 345);
    place(make<QLabel>(Frame1, "Label7", QStringLiteral("Password:")), 240, 1365, 1095, 255);
    Text7 = make<QLineEdit>(Frame1, "Text7");
    place(Text7, 1320, 1320, 6255, 345);
    Text7->setEchoMode(QLineEdit::Password);
    Text7->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
    place(make<QLabel>(Frame1, "Label9", QStringLiteral("Database:")), 240, 1845, 1095, 255);
    Text10 = make<QLineEdit>(Frame1, "Text10");
    place(Text10, 1320, 1800, 6255, 345);
    PushButton1 = make<QPushButton>(Frame1, "PushButton1", QStringLiteral("Test Connection"));
    place(PushButton1, 240, 2280, 3600, 400);
    PushButton4 = make<QPushButton>(Frame1, "PushButton4", QStringLiteral("Help"));
    place(PushButton4, 3960, 2280, 3600, 405);

    Frame3 = make<QGroupBox>(this, "Frame3", QStringLiteral("FoxPro Login"));
    place(Frame3, 120, 3660, 7800, 1425);
    place(make<QLabel>(Frame3, "Label1", QStringLiteral("Folder containing DBF/s:")), 240, 330,
          2025, 225);
    Text2 = make<QLineEdit>(Frame3, "Text2");
    place(Text2, 2400, 270, 4455, 345);
    PushButton2 = make<QPushButton>(Frame3, "PushButton2", QStringLiteral("..."));
    place(PushButton2, 6960, 270, 600, 345);
    PushButton3 =
        make<QPushButton>(Frame3, "PushButton3", QStringLiteral("Load Sample/Example Database"));
    place(PushButton3, 240, 750, 3600, 405);
    PushButton8 = make<QPushButton>(Frame3, "PushButton8", QStringLiteral("Test Connection"));
    place(PushButton8, 3960, 750, 2880, 405);
    PushButton12 = make<QPushButton>(Frame3, "PushButton12", QStringLiteral("dbc"));
    place(PushButton12, 6960, 750, 600, 405);

    Frame2 = make<QGroupBox>(this, "Frame2", QStringLiteral("SQL Preview"));
    place(Frame2, 120, 5190, 7800, 1065);
    Check1 = make<QCheckBox>(
        Frame2, "Check1",
        QStringLiteral("Enable SQL Preview mode to see SQL commands or check for errors"));
    place(Check1, 240, 300, 6735, 255);
    Option1 =
        make<QRadioButton>(Frame2, "Option1", QStringLiteral("Show SQL Preview For Each File"));
    place(Option1, 240, 630, 3135, 255);
    Option1->setChecked(true);
    Option2 =
        make<QRadioButton>(Frame2, "Option2", QStringLiteral("Show SQL Preview For Each Table"));
    place(Option2, 3600, 630, 3375, 255);

    PushButton7 = make<QPushButton>(this, "PushButton7", QStringLiteral("Start Converting"));
    place(PushButton7, 120, 6375, 7800, 405);
    ProgressBar1 = make<QProgressBar>(this, "ProgressBar1");
    place(ProgressBar1, 120, 6900, 7800, 405);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(true);
    ProgressBar1->setAlignment(Qt::AlignCenter);
    ProgressBar1->setFormat(QStringLiteral("Progress Bar"));

    // The table lists lie below the client area: they hold data, the user never sees them.
    List1 = make<QListWidget>(this, "List1");
    place(List1, 240, 8820, 3330, 1635);
    List2 = make<QListWidget>(this, "List2");
    place(List2, 3840, 8820, 3330, 1635);
    list1_ = ListWidgetTableList(List1);
    list2_ = ListWidgetTableList(List2);

    Layout::widenLabels(this);
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setFont(Layout::arialBold(11.25));
        button->setAutoDefault(false);
    }
}

void Form1::connectHandlers() {
    const std::pair<QLineEdit*, const char*> stored[] = {{Text1, "PostgreSQLServer"},
                                                         {Text9, "PostgreSQLPort"},
                                                         {Text3, "PostgreSQLUser"},
                                                         {Text7, "PostgreSQLPassword"},
                                                         {Text10, "PostgreSQLDatabase"}};
    for (const auto& [field, name] : stored) {
        connect(field, &QLineEdit::textChanged, this,
                [this, name = key(name)](const QString& text) {
                    services_.settings.write(name, text);
                });
    }
    connect(Text2, &QLineEdit::textChanged, this, [this](const QString& t) { Text2_Change(t); });
    for (QLineEdit* field : {Text1, Text9, Text2}) field->installEventFilter(this);

    connect(Check1, &QCheckBox::stateChanged, this, [this] { Check1_Click(); });
    for (QRadioButton* option : {Option1, Option2})
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on) Option_Click();
        });

    const std::pair<QPushButton*, void (Form1::*)()> commands[] = {
        {PushButton1, &Form1::PushButton1_Click}, {PushButton2, &Form1::PushButton2_Click},
        {PushButton3, &Form1::PushButton3_Click}, {PushButton4, &Form1::PushButton4_Click},
        {PushButton5, &Form1::PushButton5_Click}, {PushButton7, &Form1::PushButton7_Click},
        {PushButton8, &Form1::PushButton8_Click}, {PushButton12, &Form1::PushButton12_Click}};
    rules_ = new PointerRules(pointer_, this);
    for (const auto& [button, command] : commands) {
        connect(button, &QPushButton::clicked, this,
                [this, command = command] { (this->*command)(); });
        rules_->handOver(button);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{this, Frame1, Frame2, Frame3, Text1, Text2})
        rules_->normalOver(w);
}

// ---- Start-up ------------------------------------------------------------------------------

bool Form1::Form_Load() {
    ErrorTrap trap(services_.errors, QStringLiteral("Form1.Form_Load"));
    SettingsStore& store = services_.settings;

    trap.step(100, [&] { applyTheme(services_.folder.file(QStringLiteral("x/o.cjs"))); });
    const QString cursorPath = services_.folder.file(QStringLiteral("HAND-M.CUR"));
    if (trap.test(104, [&] { return HandPointer::exists(cursorPath); }))
        trap.step(106, [&] { pointer_.setCustomImage(HandPointer::load(cursorPath)); });
    trap.step(128, [&] {
        setWindowTitle(services_.productName);
        setWindowIcon(QIcon(QStringLiteral(":/brindlecast/brindlecast.png")));
        ApplicationTitle::set(ApplicationTitle::fromProductName(services_.productName));
    });
    trap.step(130, [&] {
        const int state = StoredValue::toCheckState(store.read(key("Check1"), "1"));
        Check1->setCheckState(toQtState(state));
    });
    trap.step(132,
              [&] { setOption(Option1, StoredValue::toTruth(store.read(key("Option1"), "1"))); });
    trap.step(134,
              [&] { setOption(Option2, StoredValue::toTruth(store.read(key("Option2"), "0"))); });
    trap.step(136, [&] { Text2->setText(store.read(key("FreeTableFolder"))); });
    trap.step(138, [&] { DBCPath1 = store.read(key("DBCFile")); });
    // A remembered folder has just stored "2", so only an empty folder field lets a stored
    // "1" (or nothing at all) start in container mode.
    if (trap.test(140, [&] { return store.read(key("FoxproOption")) != QLatin1String("2"); })) {
        trap.step(142, [&] { OptionDBC1 = true; });
    } else if (trap.test(144,
                         [&] { return store.read(key("FoxproOption")) == QLatin1String("2"); })) {
        trap.step(146, [&] { OptionDBC1 = false; });
    }
    trap.step(148, [&] { Text1->setText(store.read(key("PostgreSQLServer"), "localhost")); });
    trap.step(150, [&] { Text9->setText(store.read(key("PostgreSQLPort"), "5432")); });
    trap.step(152, [&] { Text3->setText(store.read(key("PostgreSQLUser"))); });
    trap.step(154, [&] { Text7->setText(store.read(key("PostgreSQLPassword"))); });
    trap.step(156, [&] { Text10->setText(store.read(key("PostgreSQLDatabase"))); });
    trap.step(158, [&] { Check1_Click(); });
    bool available = true;
    trap.step(160, [&] {
        available = services_.providerAvailable ? services_.providerAvailable() : true;
    });
    return available;
}

void Form1::applyTheme(const QString& path) {
    if (!QFileInfo(path).isFile()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw Failure(kFileNotFound, QStringLiteral("File not found: ") + path);
    ControlColors::apply(this);
    setStyleSheet(QString::fromUtf8(file.readAll()));
}

void Form1::centreOnScreen() {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

// Setting an option button from the program behaves like the user's click: selecting one
// runs its click behaviour; clearing one leaves the other as it is.
void Form1::setOption(QRadioButton* button, bool value) {
    if (button->isChecked() == value) return;
    if (value) {
        button->setChecked(true);
        return;
    }
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

// ---- Field, check box and option handlers --------------------------------------------------

void Form1::Text2_Change(const QString& text) {
    services_.settings.write(key("FreeTableFolder"), text);
    if (text.isEmpty()) return;  // an emptied folder keeps the current target kind
    services_.settings.write(key("FoxproOption"), QStringLiteral("2"));
    OptionDBC1 = false;
}

void Form1::Check1_Click() {
    const int value = fromQtState(Check1->checkState());
    Option1->setEnabled(value == 1);
    Option2->setEnabled(value == 1);
    services_.settings.write(key("Check1"), QString::number(value));
}

void Form1::Option_Click() {
    services_.settings.write(key("Option1"), StoredValue::fromTruth(Option1->isChecked()));
    services_.settings.write(key("Option2"), StoredValue::fromTruth(Option2->isChecked()));
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* field = qobject_cast<QLineEdit*>(watched)) {
            field->selectAll();
            // A click that gave the focus would clear the selection again right after.
            QTimer::singleShot(0, field, [field] { field->selectAll(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The main window's close ends the program at once. A run in progress is abandoned with it:
// no question or message of it may appear after the window has gone, and the tables it wrote
// keep the rows their headers count.
void Form1::closeEvent(QCloseEvent* event) {
    if (run_->busy()) {
        // The run would go on asking and reporting without its window: end here, after the
        // target has its buffered rows and its record count written.
        try {
            if (DataLink::Connection* target = run_->foxProConnection()) target->close();
        } catch (...) {
        }
        ::_exit(0);
    }
    event->accept();
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

// ---- Commands ------------------------------------------------------------------------------

void Form1::PushButton2_Click() {
    ErrorTrap trap(services_.errors, QStringLiteral("Form1.PushButton2_Click"));
    QString folder;
    trap.step(100, [&] {
        folder =
            services_.paths.browseForFolder(QStringLiteral("Please select folder:"), QString());
    });
    if (!trap.test(102, [&] { return !folder.isEmpty(); })) return;
    trap.step(104, [&] { Text2->setText(folder); });
}

void Form1::PushButton12_Click() {
    ErrorTrap trap(services_.errors, QStringLiteral("Form1.PushButton12_Click"));
    trap.step(100, [&] {
        Form6 form(*this, services_);
        form.Form_Load();
        form.exec();
    });
}

QString Form1::sampleFolder() const {
    return services_.folder.file(QStringLiteral("Samples"));
}

void Form1::PushButton3_Click() {
    ErrorTrap trap(services_.errors, QStringLiteral("Form1.PushButton3_Click"));
    trap.step(100, [&] { services_.settings.write(key("FoxproOption"), QStringLiteral("2")); });
    trap.step(102, [&] { OptionDBC1 = false; });
    trap.step(104, [&] { Text2->setText(sampleFolder()); });
}

QString Form1::connectHelpText() {
    return QStringLiteral("If you can not connect, please try downloading pgAdmin III. ") +
           QStringLiteral(
               "If you can not connect with that software, you know the login "
               "information you are providing here is incorrect.") +
           QStringLiteral("\r\n\r\n") + QLatin1String(Product::kPgAdminDownload);
}

QString Form1::generalHelpText() {
    const QString paragraph = QStringLiteral("\r\n\r\n");
    return QStringLiteral(
               "This software transfers text-based and numeric fields but does not "
               "handle binary / pictures fields.") +
           paragraph +
           QStringLiteral("Use SQL Preview if your tables contains less than 32767 rows.") +
           paragraph + QStringLiteral("Questions? Please contact Team Marrowick at ") +
           QLatin1String(Product::kWebsite) + QStringLiteral("/contact/");
}

void Form1::PushButton4_Click() {
    ErrorTrap trap(services_.errors, QStringLiteral("Form1.PushButton4_Click"));
    QString text;
    trap.step(104, [&] { text = connectHelpText(); });
    trap.step(106, [&] { services_.messages.information(text); });
}

void Form1::PushButton5_Click() {
    ErrorTrap trap(services_.errors, QStringLiteral("Form1.PushButton5_Click"));
    trap.step(100, [&] { services_.messages.information(generalHelpText()); });
}

void Form1::PushButton1_Click() {
    TestPostgreSQLConnection(connectionFields(), services_.messages, pointer_, services_.errors);
}

void Form1::PushButton8_Click() {
    TestFoxProConnection(connectionFields(), services_.messages, pointer_, services_.errors);
}

void Form1::PushButton7_Click() {
    run_->PushButton7_Click();
}

// ---- The conversion run's host -------------------------------------------------------------

ConnectionFields Form1::connectionFields() const {
    ConnectionFields fields;
    fields.server = Text1->text();
    fields.port = Text9->text();
    fields.user = Text3->text();
    fields.password = Text7->text();
    fields.database = Text10->text();
    fields.optionDbc = OptionDBC1;
    fields.dbcPath = DBCPath1;
    fields.folder = Text2->text();
    return fields;
}

bool Form1::previewMode() const {
    return Check1->checkState() == Qt::Checked;
}
bool Form1::previewEachTable() const {
    return Option2->isChecked();
}
bool Form1::previewEachFile() const {
    return Option1->isChecked();
}

void Form1::setProgressText(const QString& text) {
    ProgressBar1->setFormat(text);
}
void Form1::setProgressValue(int percent) {
    ProgressBar1->setValue(qBound(0, percent, 100));
}

// The run calls this for every row and field; letting the window repaint every few
// milliseconds keeps it responsive without the event loop dominating the run.
void Form1::processEvents() {
    if (sinceEvents_.elapsed() < 15) return;
    QCoreApplication::processEvents();
    sinceEvents_.restart();
}

void Form1::showPreview() {
    if (previewWindow) {
        previewWindow();
        return;
    }
    // Without a preview window the collected script would vanish unexplained.
    services_.messages.information(QStringLiteral(
        "The SQL Preview window is not part of this version yet, so the collected SQL was not "
        "executed. Untick \"Enable SQL Preview mode to see SQL commands or check for errors\" "
        "to convert directly."));
}
