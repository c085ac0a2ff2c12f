#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

ProgramFolder::ProgramFolder(QString folder, QString shareFolder)
    : folder_(std::move(folder)), share_(std::move(shareFolder)) {}

ProgramFolder ProgramFolder::ofRunningProgram() {
#ifdef BRINDLECAST_SHARE_DIR
    const QString share = QStringLiteral(BRINDLECAST_SHARE_DIR);
#else
    const QString share;
#endif
    return ProgramFolder(QCoreApplication::applicationDirPath(), share);
}

QString ProgramFolder::file(const QString& relative) const {
    const QString beside = folder_ + u'/' + relative;
    if (QFileInfo::exists(beside) || share_.isEmpty()) return beside;
    const QString shared = share_ + u'/' + relative;
    return QFileInfo::exists(shared) ? shared : beside;
}
