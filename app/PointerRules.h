#pragma once

#include <QObject>

#include "core/UserDialogs.h"

class QWidget;

// The hover rules of a window: moving over a button switches the whole window to the custom
// pointer, moving over a background, a frame or certain fields switches it back to normal,
// and neither ever replaces the busy pointer.
class PointerRules : public QObject {
public:
    explicit PointerRules(WindowPointer& pointer, QObject* parent = nullptr)
        : QObject(parent), pointer_(pointer) {}

    void handOver(QWidget* widget);
    void normalOver(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowPointer& pointer_;
};
