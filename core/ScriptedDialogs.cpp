#include "core/ScriptedDialogs.h"

void ScriptedDialogs::information(const QString& text, const QString& title) {
    shown << text;
    titles << title;
}

bool ScriptedDialogs::askYesNo(const QString& text, const QString& title) {
    shown << text;
    titles << title;
    return answers.isEmpty() ? false : answers.takeFirst();
}

void ScriptedDialogs::setPointer(Pointer pointer) {
    current = pointer;
    pointers << pointer;
}

void ScriptedDialogs::openUrl(const QString& address) { openedUrls << address; }
