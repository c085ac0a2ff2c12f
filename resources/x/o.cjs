/* Brindlecast theme: a Qt style sheet applied to the main window when this file is present.
   Fonts are left to the window, which sets them per control. */
QGroupBox {
    border: 1px solid #8a9bb0;
    border-radius: 3px;
    margin-top: 8px;
}
QGroupBox::title {
    subcontrol-origin: margin;
    left: 8px;
    padding: 0 3px;
    color: #183458;
}
QPushButton {
    color: #10243e;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbfcfe, stop:1 #d6e0ec);
    border: 1px solid #7f93ab;
    border-radius: 3px;
}
QPushButton:hover {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #f3d8a6);
    border-color: #c08a2c;
}
QPushButton:pressed {
    background: #e9b95c;
}
QPushButton:disabled {
    color: #8a8a8a;
}
QLineEdit {
    background: #ffffff;
    border: 1px solid #8a9bb0;
    padding: 0 3px;
}
QProgressBar {
    border: 1px solid #7f93ab;
    border-radius: 3px;
    background: #ffffff;
    text-align: center;
    color: #10243e;
}
QProgressBar::chunk {
    background: #f0a028;
}
