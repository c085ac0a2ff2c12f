#pragma once

class QWidget;

// Gives a window and its option buttons, check boxes, frames and labels the button-face
// colour; text fields, lists, buttons and progress bars keep their own.
namespace ControlColors {
void apply(QWidget* window);
}
