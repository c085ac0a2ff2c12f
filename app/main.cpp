#include <QApplication>
#include <QLabel>

#include "core/Product.h"

// Until the main window lands the program opens a window that says what it will become.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Brindlecast copies PostgreSQL tables into Visual FoxPro tables.\n"
                                 "The main window is being built."));
    window.setWindowTitle(QString::fromLatin1(Product::kName));
    window.setMargin(40);
    window.show();
    return app.exec();
}
