#pragma once

#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <type_traits>

// Window layouts are written in twips as the designer placed them; the screen has 15 twips
// to a pixel.
namespace Layout {

inline int px(int twips) {
    return (twips + 7) / 15;
}

inline void place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(px(left), px(top), px(width), px(height));
}

// A control with its numbered name (tests find controls by it) and its caption.
template <class W>
W* make(QWidget* parent, const char* name, const QString& caption = QString()) {
    W* widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    if constexpr (std::is_same_v<W, QLabel> || std::is_same_v<W, QPushButton> ||
                  std::is_same_v<W, QCheckBox> || std::is_same_v<W, QRadioButton>)
        widget->setText(caption);
    if constexpr (std::is_same_v<W, QGroupBox>) widget->setTitle(caption);
    return widget;
}

inline QFont arialBold(double points) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(true);
    // Whole-pixel glyph advances, as the designer's screen drew them, so captions fit the
    // widths they were laid out for.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// A caption a pixel wider than its designed box runs into the gap before its field instead
// of losing its last letter.
inline void widenLabels(QWidget* window) {
    for (QLabel* label : window->findChildren<QLabel*>())
        label->resize(qMax(label->width(), label->sizeHint().width()), label->height());
}

}  // namespace Layout
