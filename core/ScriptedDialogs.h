#pragma once

#include <QList>
#include <QStringList>

#include "core/UserDialogs.h"

// Stand-in for the windows in tests: answers come from a queue (No when it is empty), and every
// message, question, pointer change and opened address is recorded in order.
class ScriptedDialogs : public MessageBoxes, public WindowPointer, public UrlOpener {
public:
    void information(const QString& text, const QString& title = QString()) override;
    bool askYesNo(const QString& text, const QString& title = QString()) override;
    void setPointer(Pointer pointer) override;
    Pointer pointer() const override { return current; }
    void openUrl(const QString& address) override;

    QList<bool> answers;       // queued answers to questions, taken from the front
    QStringList shown;         // texts of information boxes and questions, in order
    QStringList titles;        // their titles
    QList<Pointer> pointers;   // every pointer set, in order
    QStringList openedUrls;
    Pointer current = Pointer::Normal;
};
