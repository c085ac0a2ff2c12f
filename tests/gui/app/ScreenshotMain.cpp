#include <QApplication>
#include <QTimer>

#include "app/Form1.h"
#include "app/Form6.h"
#include "app/PendingContainerCreator.h"
#include "app/QtPathDialogs.h"
#include "app/QtUserDialogs.h"
#include "core/Product.h"

// brindlecast_screenshot main|form6|convert: shows the main window as the program does, and
// opens Advanced Options over it or starts a conversion, for a screenshot under Xvfb.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QByteArray what = argc > 1 ? QByteArray(argv[1]) : QByteArray("main");
    SettingsStore settings;
    QtUserDialogs dialogs;
    QtPathDialogs paths;
    PendingContainerCreator containers(dialogs);
    AppServices services{settings,
                         dialogs,
                         dialogs,
                         dialogs,
                         paths,
                         containers,
                         ProgramFolder::ofRunningProgram(),
                         QString::fromLatin1(Product::kName),
                         [] { return true; }};
    Form1 window(services);
    dialogs.setOwner(&window);
    window.Form_Load();
    window.centreOnScreen();
    window.show();
    if (what == "form6")
        QTimer::singleShot(200, &window, [&window] { window.PushButton12_Click(); });
    if (what == "convert")
        QTimer::singleShot(200, &window, [&window] { window.PushButton7_Click(); });
    return app.exec();
}
