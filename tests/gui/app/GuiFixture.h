#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "app/AppServices.h"
#include "app/Form1.h"
#include "core/RecordingReporter.h"
#include "core/ScriptedDialogs.h"

// Folder and file dialogs that answer from a queue (empty: the user cancelled) and remember
// what they were asked.
class ScriptedPathDialogs : public PathDialogs {
public:
    QString browseForFolder(const QString& prompt, const QString& initialFolder) override;
    QString openFileName(const QString& title, const QString& filter) override;

    QStringList folders;  // answers to the folder browser, taken from the front
    QStringList files;    // answers to the file dialog
    QStringList prompts, initialFolders, titles, filters;
};

class RecordingContainerCreator : public ContainerCreator {
public:
    bool createEmptyContainer(const QString& dbcPath) override {
        created << dbcPath;
        return true;
    }
    QStringList created;
};

// A main window over a settings file and a program folder of its own; start() loads it as the
// program does, and can be called again to "restart" over the same store.
class GuiFixture : public ::testing::Test {
protected:
    GuiFixture();
    ~GuiFixture() override;

    Form1& start();
    void preset(const QString& key, const QString& value);
    QString stored(const QString& key) const;
    bool isStored(const QString& key) const;
    QString settingsPath() const { return dir_.path() + QStringLiteral("/config/Marrowick.ini"); }
    QString programFolder() const { return dir_.path() + QStringLiteral("/program"); }
    QString tempPath(const QString& name) const { return dir_.path() + u'/' + name; }
    void installProgramFile(const QString& resource, const QString& as);

    template <class W>
    W* widget(const char* name) const {
        W* w = form->findChild<W*>(QLatin1String(name));
        if (!w) ADD_FAILURE() << "no widget " << name;
        return w;
    }
    void click(const char* button);
    void type(const char* field, const QString& text);

    ScriptedDialogs dialogs;
    RecordingReporter reporter;
    ScriptedPathDialogs paths;
    RecordingContainerCreator creator;
    QString productName = QStringLiteral("Brindlecast");
    bool providerAvailable = true;
    bool loaded = false;
    std::unique_ptr<Form1> form;

private:
    QTemporaryDir dir_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<AppServices> services_;
};
