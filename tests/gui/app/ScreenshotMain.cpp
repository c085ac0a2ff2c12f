#include <QApplication>
#include <QTimer>

#include "app/Form1.h"
#include "app/Form6.h"
#include "app/PendingContainerCreator.h"
#include "app/QtPathDialogs.h"
#include "app/QtUserDialogs.h"
#include "core/Product.h"

// brindlecast_screenshot main|form6: shows the main window as the program does, and for
// "form6" opens Advanced Options over it, for a screenshot under Xvfb.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool form6 = argc > 1 && QByteArray(argv[1]) == "form6";
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
    if (form6) QTimer::singleShot(200, &window, [&window] { window.PushButton12_Click(); });
    return app.exec();
}
