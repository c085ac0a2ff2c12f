#pragma once

#include <QString>

#include "core/ErrorReporter.h"
#include "core/UserDialogs.h"
#include "data/ConnectionFields.h"
#include "data/TableList.h"

// What a conversion run needs from the window (or tool) that starts it: the connection fields,
// the two hidden table lists, the preview options, questions and messages, the pointer, the
// progress bar, a chance to let the user interface breathe, and the preview window.
class ConversionHost {
public:
    virtual ~ConversionHost() = default;

    virtual ConnectionFields connectionFields() const = 0;
    virtual TableList& foxProTables() = 0;    // List1
    virtual TableList& postgresTables() = 0;  // List2

    virtual bool previewMode() const = 0;       // Check1 is ticked
    virtual bool previewEachTable() const = 0;  // Option2
    virtual bool previewEachFile() const = 0;   // Option1

    virtual MessageBoxes& messages() = 0;
    virtual WindowPointer& pointer() = 0;
    virtual ErrorReporter& errorReporter() = 0;

    virtual void setProgressText(const QString& text) = 0;
    virtual void setProgressValue(int percent) = 0;

    // Lets pending window events run; called often, so it may throttle itself.
    virtual void processEvents() = 0;
    // Shows the SQL Preview window modally and returns when it has been closed.
    virtual void showPreview() = 0;
};
