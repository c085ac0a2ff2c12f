#include "app/QtPathDialogs.h"

#include <QFileDialog>
#include <QRegularExpression>

QString QtPathDialogs::browseForFolder(const QString& prompt, const QString& initialFolder) {
    QFileDialog dialog(owner_, prompt, initialFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::LookIn, prompt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtPathDialogs::openFileName(const QString& title, const QString& filter) {
    QFileDialog dialog(owner_, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A name that does not exist yet is allowed: the caller offers to create the container.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    // A typed name without extension gets the filter's, e.g. "shop" becomes "shop.dbc".
    const QRegularExpressionMatch suffix =
        QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    if (suffix.hasMatch()) dialog.setDefaultSuffix(suffix.captured(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}
