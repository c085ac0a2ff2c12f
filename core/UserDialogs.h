#pragma once

#include <QString>

// The small interfaces through which commands talk to the person in front of the program.
// The windows implement them with real message boxes; tests queue answers and read what was
// shown (ScriptedDialogs); the command-line tools print.

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // An information box with an OK button and no icon; an empty title means the application title.
    virtual void information(const QString& text, const QString& title = QString()) = 0;
    // A Yes/No question without icon; true for Yes.
    virtual bool askYesNo(const QString& text, const QString& title = QString()) = 0;
};

// The whole window's pointer. The codes are those the commands use: 0 normal, 11 busy.
enum class Pointer { Normal = 0, Busy = 11, Custom = 99 };

class WindowPointer {
public:
    virtual ~WindowPointer() = default;
    virtual void setPointer(Pointer pointer) = 0;
    virtual Pointer pointer() const = 0;
};

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void openUrl(const QString& address) = 0;
};
