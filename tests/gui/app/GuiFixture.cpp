#include "tests/gui/app/GuiFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {
// One application object for the whole test program, without a display.
void ensureApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "gui_app_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}
}  // namespace

QString ScriptedPathDialogs::browseForFolder(const QString& prompt, const QString& initialFolder) {
    prompts << prompt;
    initialFolders << initialFolder;
    return folders.isEmpty() ? QString() : folders.takeFirst();
}

QString ScriptedPathDialogs::openFileName(const QString& title, const QString& filter) {
    titles << title;
    filters << filter;
    return files.isEmpty() ? QString() : files.takeFirst();
}

GuiFixture::GuiFixture() {
    ensureApplication();
    QDir().mkpath(programFolder());
}

GuiFixture::~GuiFixture() {
    form.reset();
}

Form1& GuiFixture::start() {
    form.reset();
    services_.reset();
    store_ = std::make_unique<SettingsStore>(settingsPath());
    services_ = std::make_unique<AppServices>(AppServices{
        *store_, dialogs, reporter, dialogs, paths, creator, ProgramFolder(programFolder()),
        productName, [this] { return providerAvailable; }});
    form = std::make_unique<Form1>(*services_);
    loaded = form->Form_Load();
    return *form;
}

void GuiFixture::preset(const QString& key, const QString& value) {
    SettingsStore(settingsPath()).write(key, value);
}

QString GuiFixture::stored(const QString& key) const {
    return SettingsStore(settingsPath()).read(key, QStringLiteral("<absent>"));
}

bool GuiFixture::isStored(const QString& key) const {
    return SettingsStore(settingsPath()).contains(key);
}

void GuiFixture::installProgramFile(const QString& resource, const QString& as) {
    const QString target = programFolder() + u'/' + as;
    QDir().mkpath(QFileInfo(target).absolutePath());
    ASSERT_TRUE(QFile::copy(QStringLiteral(BRINDLECAST_RESOURCES "/") + resource, target));
}

void GuiFixture::click(const char* button) {
    widget<QPushButton>(button)->click();
}

void GuiFixture::type(const char* field, const QString& text) {
    QLineEdit* edit = widget<QLineEdit>(field);
    edit->selectAll();
    edit->insert(text);  // as typing over the selection: one change, no programmatic setText
}
