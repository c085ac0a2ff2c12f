#include "data/odbc/OdbcConnection.h"

// Placeholder until the ODBC binding lands.
std::unique_ptr<DataLink::Backend> openOdbcConnection(const QString&, const DataLink::Options&) {
    throw Failure(0, QStringLiteral("The ODBC binding is not built yet."));
}
