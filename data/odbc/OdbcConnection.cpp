#include "data/odbc/OdbcConnection.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <QStringList>

#include "data/ConnectionStrings.h"
#include "data/odbc/OdbcDiagnostics.h"
#include "data/odbc/OdbcRecordset.h"
#include "data/odbc/OdbcSession.h"

namespace {

// Rows psqlODBC asks the server for per FETCH of a server-side cursor: enough to keep the
// round trips cheap, few enough to keep memory flat.
constexpr int kFetchRows = 4096;

class OdbcBackend : public DataLink::Backend {
public:
    OdbcBackend(std::shared_ptr<OdbcSession> session, const DataLink::Options& options)
        : session_(std::move(session)), options_(options) {}
    ~OdbcBackend() override { close(); }

    std::unique_ptr<DataLink::Recordset> execute(const QString& sql) override {
        SQLHSTMT statement = newStatement();
        std::u16string text = sql.toStdU16String();
        const SQLRETURN rc = SQLExecDirectW(statement, reinterpret_cast<SQLWCHAR*>(text.data()),
                                            SQLINTEGER(text.size()));
        if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) fail(statement, "The statement failed.");
        return resultOf(statement);
    }

    std::unique_ptr<DataLink::Recordset> openSchema(int schema) override {
        if (schema != DataLink::kTablesSchema)
            throw Failure(3251, QStringLiteral("Object or provider is not capable of performing "
                                               "requested operation."));
        SQLHSTMT statement = newStatement();
        const SQLRETURN rc = SQLTablesW(statement, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0);
        if (!SQL_SUCCEEDED(rc)) fail(statement, "The tables could not be listed.");
        return resultOf(statement);
    }

    void close() override {
        if (session_) session_->disconnect();
        session_.reset();
    }

private:
    OdbcSession& session() {
        if (!session_)
            throw Failure(3704,
                          QStringLiteral("Operation is not allowed when the object is closed."));
        return *session_;
    }

    SQLHSTMT newStatement() {
        SQLHSTMT statement = session().allocateStatement();
        if (options_.commandTimeout > 0)
            SQLSetStmtAttr(statement, SQL_ATTR_QUERY_TIMEOUT,
                           reinterpret_cast<SQLPOINTER>(SQLULEN(options_.commandTimeout)), 0);
        return statement;
    }

    [[noreturn]] void fail(SQLHSTMT statement, const char* what) {
        Failure failure =
            OdbcDiagnostics::failure(SQL_HANDLE_STMT, statement, QString::fromLatin1(what));
        session_->freeStatement(statement);
        throw failure;
    }

    std::unique_ptr<DataLink::Recordset> resultOf(SQLHSTMT statement) {
        SQLSMALLINT columns = 0;
        if (!SQL_SUCCEEDED(SQLNumResultCols(statement, &columns)) || columns == 0) {
            session_->freeStatement(statement);
            return nullptr;
        }
        long long count = -1;
        if (options_.cursorLocation == DataLink::kClientSide) {
            // Without declare/fetch the driver holds the whole result and knows its size.
            SQLLEN rows = -1;
            if (SQL_SUCCEEDED(SQLRowCount(statement, &rows))) count = rows;
        }
        return std::make_unique<OdbcRecordset>(session_, statement, count);
    }

    std::shared_ptr<OdbcSession> session_;
    DataLink::Options options_;
};

}  // namespace

namespace {

// A value in libpq's conninfo quoting.
QString libpqQuoted(QString value) {
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

QString braced(QString value) {
    value.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + value + QLatin1Char('}');
}

// psqlODBC takes the braces of a server, port, user or database value literally, and decodes
// "+" and "%xx" in a password without braces. Such values are handed on in the forms it reads
// as typed: the others through libpq's own options (pqopt), which the driver passes on when
// the ordinary keyword is empty; the password in braces. Later keywords win in psqlODBC.
QString driverSpellings(const QString& connectionString) {
    static const char* const kKeys[][2] = {
        {"Server", "host"}, {"Port", "port"}, {"Uid", "user"}, {"Database", "dbname"}};
    QString blanked;
    QStringList libpq;
    for (const auto& key : kKeys) {
        const QString name = QString::fromLatin1(key[0]);
        const QString value = DataLink::connectionStringValue(connectionString, name);
        if (connectionStringField(value) == value) continue;
        blanked += name + QStringLiteral("=;");
        libpq << QString::fromLatin1(key[1]) + QLatin1Char('=') + libpqQuoted(value);
    }
    if (!libpq.isEmpty())
        blanked +=
            QStringLiteral("pqopt=") + braced(libpq.join(QLatin1Char(' '))) + QLatin1Char(';');
    const QString password =
        DataLink::connectionStringValue(connectionString, QStringLiteral("Pwd"));
    if (connectionStringField(password) == password &&
        (password.contains(QLatin1Char('+')) || password.contains(QLatin1Char('%'))))
        blanked += QStringLiteral("Pwd=") + braced(password) + QLatin1Char(';');
    return blanked;
}

}  // namespace

QString odbcDriverConnectionString(const QString& connectionString, int cursorLocation) {
    QString text = connectionString;
    if (!text.isEmpty() && !text.endsWith(QLatin1Char(';'))) text += QLatin1Char(';');
    text += driverSpellings(connectionString);
    if (cursorLocation == DataLink::kServerSide)
        text += QStringLiteral("UseDeclareFetch=1;Fetch=%1;").arg(kFetchRows);
    else
        text += QStringLiteral("UseDeclareFetch=0;");
    text += QStringLiteral("BoolsAsChar=0");
    return text;
}

std::unique_ptr<DataLink::Backend> openOdbcConnection(const QString& connectionString,
                                                      const DataLink::Options& options) {
    auto session =
        std::make_shared<OdbcSession>(OdbcEnvironment::shared(), options.connectionTimeout);
    session->connect(odbcDriverConnectionString(connectionString, options.cursorLocation));
    return std::make_unique<OdbcBackend>(std::move(session), options);
}
