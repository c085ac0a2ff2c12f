#pragma once

#include <QList>
#include <QStringList>
#include <functional>

#include "core/RecordingReporter.h"
#include "core/ScriptedDialogs.h"
#include "engine/ConversionHost.h"
#include "engine/ConversionRun.h"

// A host without windows: options as fields, answers queued in `dialogs`, reports recorded,
// and the preview window replaced by a callback that acts as the user would.
class TestHost : public ConversionHost {
public:
    ConnectionFields fields;
    MemoryTableList foxTables;
    MemoryTableList pgTables;
    bool preview = false;
    bool eachTable = false;
    bool eachFile = false;
    ScriptedDialogs dialogs;
    RecordingReporter reporter;
    QStringList progressTexts;
    QList<int> progressValues;
    std::function<void()> onPreview;
    std::function<void()> onProcessEvents;
    int previews = 0;

    ConnectionFields connectionFields() const override { return fields; }
    TableList& foxProTables() override { return foxTables; }
    TableList& postgresTables() override { return pgTables; }
    bool previewMode() const override { return preview; }
    bool previewEachTable() const override { return eachTable; }
    bool previewEachFile() const override { return eachFile; }
    MessageBoxes& messages() override { return dialogs; }
    WindowPointer& pointer() override { return dialogs; }
    ErrorReporter& errorReporter() override { return reporter; }
    void setProgressText(const QString& text) override { progressTexts << text; }
    void setProgressValue(int percent) override { progressValues << percent; }
    void processEvents() override {
        if (onProcessEvents) onProcessEvents();
    }
    void showPreview() override {
        ++previews;
        if (onPreview) onPreview();
    }
};

// What the preview window's "Execute SQL" does: every line on the run's FoxPro connection,
// stopping at the first refused one; true when all ran.
inline bool executeScript(ConversionRun& run) {
    for (int i = 0; i < run.script().count(); ++i) {
        try {
            run.foxProConnection()->execute(run.script().line(i));
        } catch (...) {
            return false;
        }
    }
    return true;
}
