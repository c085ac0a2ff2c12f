#include "data/DataLink.h"

#include "data/odbc/OdbcConnection.h"
#include "data/vfp/FoxProConnection.h"

namespace DataLink {

namespace {
// ADO's number and words for a connection string that names no provider it knows.
constexpr long kProviderNotFound = 3706;
}  // namespace

const Field& Recordset::field(const QString& name) const {
    for (const Field& f : fields())
        if (f.name.compare(name, Qt::CaseInsensitive) == 0) return f;
    throw Failure(3265, QStringLiteral("Item cannot be found in the collection corresponding to "
                                       "the requested name or ordinal."));
}

Connection::~Connection() {
    try {
        close();
    } catch (...) {
        // Releasing a connection never fails towards its owner.
    }
}

void Connection::open(const QString& connectionString) {
    if (backend_)
        throw Failure(3705, QStringLiteral("Operation is not allowed when the object is open."));
    const QString provider = connectionStringValue(connectionString, QStringLiteral("Provider"));
    if (provider.startsWith(QStringLiteral("vfpoledb"), Qt::CaseInsensitive)) {
        backend_ = openFoxProConnection(connectionString, options_);
    } else if (provider.isEmpty() &&
               !connectionStringValue(connectionString, QStringLiteral("Driver")).isEmpty()) {
        backend_ = openOdbcConnection(connectionString, options_);
    } else {
        throw Failure(kProviderNotFound,
                      QStringLiteral("Provider cannot be found. It may not be properly installed."));
    }
}

Backend& Connection::openBackend() {
    if (!backend_)
        throw Failure(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    return *backend_;
}

std::unique_ptr<Recordset> Connection::execute(const QString& sql) {
    return openBackend().execute(sql);
}

std::unique_ptr<Recordset> Connection::openSchema(int schema) {
    return openBackend().openSchema(schema);
}

void Connection::close() {
    if (!backend_) return;
    auto backend = std::move(backend_);
    backend->close();
}

QString connectionStringValue(const QString& connectionString, const QString& key) {
    int pos = 0;
    const int n = connectionString.size();
    while (pos < n) {
        const int eq = connectionString.indexOf(QLatin1Char('='), pos);
        if (eq < 0) break;
        const QString name = connectionString.mid(pos, eq - pos).trimmed();
        int valueStart = eq + 1;
        QString value;
        int next;
        if (valueStart < n && connectionString.at(valueStart) == QLatin1Char('{')) {
            // A braced value runs to the closing brace; "}}" stands for one "}".
            int i = valueStart + 1;
            while (i < n) {
                if (connectionString.at(i) == QLatin1Char('}')) {
                    if (i + 1 < n && connectionString.at(i + 1) == QLatin1Char('}')) {
                        value += QLatin1Char('}');
                        i += 2;
                        continue;
                    }
                    break;
                }
                value += connectionString.at(i++);
            }
            next = connectionString.indexOf(QLatin1Char(';'), i);
        } else {
            next = connectionString.indexOf(QLatin1Char(';'), valueStart);
            value = connectionString.mid(valueStart, next < 0 ? -1 : next - valueStart);
        }
        if (name.compare(key, Qt::CaseInsensitive) == 0) return value;
        if (next < 0) break;
        pos = next + 1;
    }
    return QString();
}

}  // namespace DataLink
