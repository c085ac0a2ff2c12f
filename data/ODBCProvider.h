#pragma once

#include <QString>
#include <functional>

#include "core/UserDialogs.h"

// The start-up check that the data-access component can be created at all.

// Creates the data-access component on this platform: the ODBC driver manager's environment,
// with the PostgreSQL driver registered. Throws a Failure numbered 3706 ("Provider cannot be
// found...") when either is missing.
void createDataAccessComponent();

// The addresses "Yes" opens, driver manager first.
extern const char* const kDriverManagerDownloadUrl;
extern const char* const kPostgreSQLDriverDownloadUrl;

// The seven paragraphs that explain a missing provider and ask whether to open the pages.
QString providerMissingMessage();

// True when `create` succeeds. When it fails saying the provider cannot be found (or with
// number 3706) the user is told and asked whether to open the download pages. Every failure
// inside is swallowed: a false answer ends the program.
bool IsProviderAvailable(MessageBoxes& messages, UrlOpener& urls,
                         const std::function<void()>& create = createDataAccessComponent);
