#pragma once

#include <QFile>
#include <QString>
#include <QTextStream>

#include "engine/ConversionHost.h"
#include "engine/ConversionRun.h"

// The conversion run's host on a terminal: fields from the command line, overwrite answers
// from an option, reports and warnings on stderr, a progress bar when stderr is a terminal,
// and a "preview" that writes the script to a file instead of executing it.
class ConsoleHost : public ConversionHost, public MessageBoxes, public WindowPointer, public ErrorReporter {
public:
    struct Options {
        ConnectionFields fields;
        bool overwrite = false;
        QString previewScript;  // empty: execute directly
        bool progress = false;
    };

    explicit ConsoleHost(Options options);
    void attach(ConversionRun* run) { run_ = run; }

    int failures() const { return failures_; }
    bool scriptWritten() const { return scriptWritten_; }

    // ConversionHost
    ConnectionFields connectionFields() const override { return options_.fields; }
    TableList& foxProTables() override { return foxTables_; }
    TableList& postgresTables() override { return pgTables_; }
    bool previewMode() const override { return !options_.previewScript.isEmpty(); }
    bool previewEachTable() const override { return false; }
    bool previewEachFile() const override { return true; }
    MessageBoxes& messages() override { return *this; }
    WindowPointer& pointer() override { return *this; }
    ErrorReporter& errorReporter() override { return *this; }
    void setProgressText(const QString& text) override;
    void setProgressValue(int percent) override;
    void processEvents() override {}
    void showPreview() override;

    // MessageBoxes
    void information(const QString& text, const QString& title = QString()) override;
    bool askYesNo(const QString& text, const QString& title = QString()) override;
    // WindowPointer
    void setPointer(Pointer pointer) override { pointer_ = pointer; }
    Pointer pointer() const override { return pointer_; }
    // ErrorReporter
    void reportError(const QString& title, const QString& message) override;

private:
    void drawProgress();
    void clearProgressLine();

    Options options_;
    ConversionRun* run_ = nullptr;
    MemoryTableList foxTables_;
    MemoryTableList pgTables_;
    Pointer pointer_ = Pointer::Normal;
    QTextStream err_;
    bool drawBar_ = false;
    QString progressText_;
    int progressValue_ = 0;
    int failures_ = 0;
    bool scriptWritten_ = false;
};
