#pragma once

#include <QString>

// The program's folder and the optional files that live in it: HAND-M.CUR, x/o.cjs and the
// Samples folder. An installed program keeps them in <prefix>/share/brindlecast instead, so a
// file missing beside the executable is looked for there.
class ProgramFolder {
public:
    // `folder` is where the executable lives; `shareFolder` the installed data folder.
    ProgramFolder(QString folder, QString shareFolder = QString());

    static ProgramFolder ofRunningProgram();

    const QString& path() const { return folder_; }
    // The full path of `relative` beside the program, else in the share folder when it exists
    // there, else beside the program (where it does not exist).
    QString file(const QString& relative) const;

private:
    QString folder_;
    QString share_;
};
