#include "data/vfp/FoxProConnection.h"

// Placeholder until the table engine lands.
std::unique_ptr<DataLink::Backend> openFoxProConnection(const QString&, const DataLink::Options&) {
    throw Failure(0, QStringLiteral("The FoxPro engine is not built yet."));
}
