#pragma once

#include <QString>
#include <functional>

#include "app/ContainerCreator.h"
#include "app/PathDialogs.h"
#include "app/ProgramFolder.h"
#include "app/SettingsStore.h"
#include "core/ErrorReporter.h"
#include "core/UserDialogs.h"

// What the windows talk to besides their own controls. The program passes the real dialogs;
// tests pass queued answers and a settings file of their own.
struct AppServices {
    SettingsStore& settings;
    MessageBoxes& messages;
    ErrorReporter& errors;
    UrlOpener& urls;
    PathDialogs& paths;
    ContainerCreator& containers;
    ProgramFolder folder;
    QString productName;
    // Whether the data-access component can be created; asks about the provider when not.
    std::function<bool()> providerAvailable;
};
