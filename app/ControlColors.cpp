#include "app/ControlColors.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

namespace ControlColors {

void apply(QWidget* window) {
    const QColor face = window->palette().color(QPalette::Button);
    auto paint = [&face](QWidget* w) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Window, face);
        w->setPalette(palette);
        w->setAutoFillBackground(true);
    };
    paint(window);
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (qobject_cast<QRadioButton*>(child) || qobject_cast<QCheckBox*>(child) ||
            qobject_cast<QGroupBox*>(child) || qobject_cast<QLabel*>(child))
            paint(child);
    }
}

}  // namespace ControlColors
