#pragma once

#include <QString>

// The folder browser and the file-open dialog. Both return an empty text when the user cancels.
// The windows use QtPathDialogs; tests queue the paths the "user" picks.
class PathDialogs {
public:
    virtual ~PathDialogs() = default;
    virtual QString browseForFolder(const QString& prompt, const QString& initialFolder) = 0;
    // `filter` in Qt's form, e.g. "Microsoft Database (*.dbc)". The chosen file need not exist.
    virtual QString openFileName(const QString& title, const QString& filter) = 0;
};
