#include "app/WidgetPointer.h"

#include <QApplication>

WidgetPointer::~WidgetPointer() {
    if (current_ == Pointer::Busy) QApplication::restoreOverrideCursor();
}

void WidgetPointer::setPointer(Pointer pointer) {
    if (pointer == Pointer::Busy && current_ != Pointer::Busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    if (pointer != Pointer::Busy && current_ == Pointer::Busy)
        QApplication::restoreOverrideCursor();
    current_ = pointer;
    if (!window_ || pointer == Pointer::Busy) return;
    if (pointer == Pointer::Custom && hasCustom_)
        window_->setCursor(custom_);
    else
        window_->setCursor(Qt::ArrowCursor);
}
