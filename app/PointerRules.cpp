#include "app/PointerRules.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace {
const char* kShape = "brindlecastPointer";
}

void PointerRules::handOver(QWidget* widget) {
    widget->setProperty(kShape, static_cast<int>(Pointer::Custom));
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

void PointerRules::normalOver(QWidget* widget) {
    widget->setProperty(kShape, static_cast<int>(Pointer::Normal));
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

bool PointerRules::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        // A move over a child arrives at the child first; only the widget under the pointer
        // decides, so a frame does not undo the hand its button just set.
        const QVariant shape = watched->property(kShape);
        bool overChildOfOwn = false;
        if (event->type() == QEvent::MouseMove) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            overChildOfOwn = static_cast<QWidget*>(watched)->childAt(at) != nullptr;
        }
        if (shape.isValid() && !overChildOfOwn && pointer_.pointer() != Pointer::Busy)
            pointer_.setPointer(static_cast<Pointer>(shape.toInt()));
    }
    return QObject::eventFilter(watched, event);
}
