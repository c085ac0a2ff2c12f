#pragma once

#include <QCursor>
#include <QPointer>
#include <QWidget>

#include "core/UserDialogs.h"

// One pointer for a whole window. The busy pointer covers every control of the program while
// a long command runs; the normal and custom (hand) pointers are the window's own.
class WidgetPointer : public WindowPointer {
public:
    explicit WidgetPointer(QWidget* window) : window_(window) {}
    ~WidgetPointer() override;
    WidgetPointer(const WidgetPointer&) = delete;
    WidgetPointer& operator=(const WidgetPointer&) = delete;

    // The custom pointer's image; without one the custom pointer shows as the normal pointer.
    void setCustomImage(const QCursor& cursor) {
        custom_ = cursor;
        hasCustom_ = true;
    }
    bool hasCustomImage() const { return hasCustom_; }

    void setPointer(Pointer pointer) override;
    Pointer pointer() const override { return current_; }

private:
    QPointer<QWidget> window_;
    QCursor custom_;
    bool hasCustom_ = false;
    Pointer current_ = Pointer::Normal;
};
