#include "app/QtUserDialogs.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "app/ApplicationTitle.h"

namespace {
QString titleOr(const QString& title) {
    return title.isEmpty() ? ApplicationTitle::current() : title;
}

// The texts use CR LF and bare CR line breaks as the original boxes did; Qt wants LF.
QString plain(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}
}  // namespace

void QtUserDialogs::information(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), plain(text), QMessageBox::Ok, owner_);
    box.exec();
}

bool QtUserDialogs::askYesNo(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), plain(text),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    return box.exec() == QMessageBox::Yes;
}

void QtUserDialogs::reportError(const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Warning, title, plain(message), QMessageBox::Ok, owner_);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void QtUserDialogs::openUrl(const QString& address) {
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}
