#include "data/odbc/OdbcEnvironment.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <QString>
#include <iterator>
#include <mutex>

#include "core/Failure.h"

namespace {
constexpr long kProviderNotFound = 3706;

Failure providerNotFound(const char* why) {
    return Failure(kProviderNotFound,
                   QStringLiteral("Provider cannot be found. It may not be properly installed. (") +
                       QString::fromLatin1(why) + QLatin1Char(')'));
}
}  // namespace

OdbcEnvironment::~OdbcEnvironment() {
    SQLFreeHandle(SQL_HANDLE_ENV, handle_);
}

std::shared_ptr<OdbcEnvironment> OdbcEnvironment::shared() {
    static std::mutex mutex;
    static std::weak_ptr<OdbcEnvironment> current;
    std::lock_guard<std::mutex> lock(mutex);
    if (auto env = current.lock()) return env;
    SQLHENV handle = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handle)))
        throw providerNotFound("the ODBC driver manager gave no environment");
    std::shared_ptr<OdbcEnvironment> env(new OdbcEnvironment(handle));
    if (!SQL_SUCCEEDED(SQLSetEnvAttr(handle, SQL_ATTR_ODBC_VERSION,
                                     reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)))
        throw providerNotFound("the ODBC driver manager refused ODBC 3");
    current = env;
    return env;
}

bool OdbcEnvironment::hasDriver(const QString& name) const {
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    for (;;) {
        SQLWCHAR description[512];
        SQLWCHAR attributes[2048];
        SQLSMALLINT descriptionLength = 0;
        SQLSMALLINT attributesLength = 0;
        const SQLRETURN rc = SQLDriversW(
            handle_, direction, description, SQLSMALLINT(std::size(description)),
            &descriptionLength, attributes, SQLSMALLINT(std::size(attributes)), &attributesLength);
        if (!SQL_SUCCEEDED(rc)) return false;
        const QString found = QString::fromUtf16(reinterpret_cast<const char16_t*>(description));
        if (found.compare(name, Qt::CaseInsensitive) == 0) return true;
        direction = SQL_FETCH_NEXT;
    }
}
