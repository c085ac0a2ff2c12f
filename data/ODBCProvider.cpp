#include "data/ODBCProvider.h"

#include <QStringList>

#include "core/Failure.h"
#include "core/Product.h"
#include "data/odbc/OdbcEnvironment.h"

const char* const kDriverManagerDownloadUrl = "https://www.unixodbc.org/download.html";
const char* const kPostgreSQLDriverDownloadUrl = "https://www.postgresql.org/ftp/odbc/releases/";

namespace {
constexpr long kProviderNotFound = 3706;
const QString kDriverName = QStringLiteral("PostgreSQL Unicode");
}  // namespace

void createDataAccessComponent() {
    const auto environment = OdbcEnvironment::shared();
    if (!environment->hasDriver(kDriverName))
        throw Failure(kProviderNotFound,
                      QStringLiteral("Provider cannot be found. It may not be properly installed. "
                                     "(No ODBC driver is registered as \"") +
                          kDriverName + QStringLiteral("\".)"));
}

QString providerMissingMessage() {
    const QStringList paragraphs = {
        QStringLiteral("Error #3706: Provider cannot be found. It may not be properly installed."),
        QStringLiteral("You are getting this error because:"),
        QStringLiteral("1. The unixODBC driver manager is not installed on your computer."),
        QStringLiteral("2. The PostgreSQL ODBC driver, registered as \"PostgreSQL Unicode\", is "
                       "not installed on your computer."),
        QStringLiteral("You need to download and install the unixODBC driver manager and the "
                       "PostgreSQL ODBC driver (psqlODBC) to solve this problem, for example "
                       "Debian's unixodbc and odbc-postgresql packages."),
        QStringLiteral("Would you like me to open the Microsoft site now so you can do this?"),
        QStringLiteral("(If you have any further questions please email a screenshot of this "
                       "error message to ") +
            QString::fromLatin1(Product::kSupportEmail) + QLatin1Char(')'),
    };
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

bool IsProviderAvailable(MessageBoxes& messages, UrlOpener& urls,
                         const std::function<void()>& create) {
    bool result = false;
    long number = 0;
    QString description;
    try {
        create();
        return true;
    } catch (const Failure& failure) {
        number = failure.number();
        description = failure.description();
    } catch (const std::exception& e) {
        description = QString::fromUtf8(e.what());
    } catch (...) {
    }
    if (!description.contains(QStringLiteral("provider cannot be found"), Qt::CaseInsensitive) &&
        number != kProviderNotFound)
        return result;
    bool yes = false;
    try {
        yes = messages.askYesNo(providerMissingMessage());
    } catch (...) {
    }
    if (yes) {
        for (const char* address : {kDriverManagerDownloadUrl, kPostgreSQLDriverDownloadUrl}) {
            try {
                urls.openUrl(QString::fromLatin1(address));
            } catch (...) {
                // A page that does not open does not keep the next one from opening.
            }
        }
    }
    return result;
}
