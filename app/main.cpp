#include <QApplication>

#include "app/AppServices.h"
#include "app/Form1.h"
#include "app/PendingContainerCreator.h"
#include "app/QtPathDialogs.h"
#include "app/QtUserDialogs.h"
#include "core/Product.h"
#include "data/ODBCProvider.h"

// The program has no start routine of its own: it loads the main window, which restores the
// remembered values and checks the data-access provider before it is shown.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(Product::kName));
    QApplication::setDesktopFileName(QStringLiteral("brindlecast"));

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
                         [&dialogs] { return IsProviderAvailable(dialogs, dialogs); }};

    Form1 window(services);
    dialogs.setOwner(&window);
    paths.setOwner(&window);
    if (!window.Form_Load()) return 0;
    window.centreOnScreen();
    window.show();
    return app.exec();
}
