#pragma once

#include <QPointer>
#include <QWidget>

#include "core/ErrorReporter.h"
#include "core/UserDialogs.h"

// Message boxes, the error report box and the web browser, for a real window.
class QtUserDialogs : public MessageBoxes, public ErrorReporter, public UrlOpener {
public:
    explicit QtUserDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    void information(const QString& text, const QString& title = QString()) override;
    bool askYesNo(const QString& text, const QString& title = QString()) override;
    void reportError(const QString& title, const QString& message) override;
    void openUrl(const QString& address) override;

private:
    QPointer<QWidget> owner_;
};
