#include "data/vfp/FoxProConnection.h"

#include "data/vfp/RowsRecordset.h"
#include "foxpro/Error.h"
#include "foxpro/Session.h"

namespace {

// Engine failures keep their number and words ("SQLException: ..." for refused statements).
[[noreturn]] void rethrow(const foxpro::Error& e) {
    throw Failure(e.number(), QString::fromUtf8(e.what()));
}

// ADO's number for a call the provider does not support.
constexpr long kNotSupported = 3251;

}  // namespace

std::unique_ptr<DataLink::Backend> openFoxProConnection(const QString& connectionString,
                                                        const DataLink::Options&) {
    const QString source =
        DataLink::connectionStringValue(connectionString, QStringLiteral("Data Source"));
    const QString collating =
        DataLink::connectionStringValue(connectionString, QStringLiteral("Collating Sequence"))
            .trimmed();
    const auto collation = collating.compare(QStringLiteral("general"), Qt::CaseInsensitive) == 0
                               ? foxpro::Session::Collation::General
                               : foxpro::Session::Collation::Machine;
    try {
        return std::make_unique<FoxProConnection>(
            foxpro::Session::openFolder(source.toStdString(), collation));
    } catch (const foxpro::Error& e) {
        rethrow(e);
    }
}

FoxProConnection::FoxProConnection(std::unique_ptr<foxpro::Session> session)
    : session_(std::move(session)) {}

FoxProConnection::~FoxProConnection() {
    try {
        close();
    } catch (...) {
        // Releasing a connection never fails towards its owner.
    }
}

std::unique_ptr<DataLink::Recordset> FoxProConnection::execute(const QString& sql) {
    if (!session_)
        throw Failure(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    const QByteArray bytes = sql.toUtf8();
    try {
        session_->execute(std::string_view(bytes.constData(), bytes.size()));
    } catch (const foxpro::Error& e) {
        rethrow(e);
    }
    return nullptr;
}

std::unique_ptr<DataLink::Recordset> FoxProConnection::openSchema(int schema) {
    if (!session_)
        throw Failure(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    if (schema != DataLink::kTablesSchema)
        throw Failure(kNotSupported,
                      QStringLiteral("Object or provider is not capable of performing requested "
                                     "operation."));
    std::vector<std::vector<QVariant>> rows;
    try {
        for (const std::string& name : session_->tableNames())
            rows.push_back(
                {QVariant(), QVariant(), QString::fromStdString(name), QStringLiteral("TABLE")});
    } catch (const foxpro::Error& e) {
        rethrow(e);
    }
    // The columns of the OLE DB tables rowset that callers read.
    return std::make_unique<RowsRecordset>(
        std::vector<DataLink::Field>{{QStringLiteral("TABLE_CATALOG"), 202, {}},
                                     {QStringLiteral("TABLE_SCHEMA"), 202, {}},
                                     {QStringLiteral("TABLE_NAME"), 202, {}},
                                     {QStringLiteral("TABLE_TYPE"), 202, {}}},
        std::move(rows));
}

void FoxProConnection::close() {
    if (!session_) return;
    auto session = std::move(session_);
    try {
        session->close();
    } catch (const foxpro::Error& e) {
        rethrow(e);
    }
}
