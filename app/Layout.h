#pragma once

#include <QFont>
#include <QWidget>

// Window layouts are written in twips as the designer placed them; the screen has 15 twips
// to a pixel.
namespace Layout {

inline int px(int twips) { return (twips + 7) / 15; }

inline void place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(px(left), px(top), px(width), px(height));
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

}  // namespace Layout
