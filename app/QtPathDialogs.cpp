#include "app/QtPathDialogs.h"

#include <QFileDialog>

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
    dialog.setDefaultSuffix(QStringLiteral("dbc"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}
