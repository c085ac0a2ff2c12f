#include "data/odbc/OdbcDiagnostics.h"

#include <sqlucode.h>

#include <QStringList>

namespace OdbcDiagnostics {

namespace {
QString fromWide(const SQLWCHAR* text, SQLSMALLINT length) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), length);
}
}  // namespace

Failure failure(SQLSMALLINT handleType, SQLHANDLE handle, const QString& fallback) {
    long number = 0;
    QStringList texts;
    for (SQLSMALLINT record = 1; handle != SQL_NULL_HANDLE; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLWCHAR message[2048];
        SQLSMALLINT length = 0;
        const SQLRETURN rc = SQLGetDiagRecW(handleType, handle, record, state, &native, message,
                                            SQLSMALLINT(sizeof message / sizeof *message), &length);
        if (!SQL_SUCCEEDED(rc)) break;
        if (record == 1) number = native;
        const SQLSMALLINT shown =
            std::min<SQLSMALLINT>(length, sizeof message / sizeof *message - 1);
        texts << fromWide(message, shown);
    }
    return Failure(number, texts.isEmpty() ? fallback : texts.join(QLatin1Char('\n')));
}

QString firstState(SQLSMALLINT handleType, SQLHANDLE handle) {
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetDiagRecW(handleType, handle, 1, state, &native, nullptr, 0, &length)))
        return QString();
    return fromWide(state, 5);
}

}  // namespace OdbcDiagnostics
