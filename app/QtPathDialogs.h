#pragma once

#include <QPointer>
#include <QWidget>

#include "app/PathDialogs.h"

// Qt's folder and file dialogs over an owner window.
class QtPathDialogs : public PathDialogs {
public:
    explicit QtPathDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    QString browseForFolder(const QString& prompt, const QString& initialFolder) override;
    QString openFileName(const QString& title, const QString& filter) override;

private:
    QPointer<QWidget> owner_;
};
