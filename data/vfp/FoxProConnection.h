#pragma once

#include <memory>

#include "data/DataLink.h"

namespace foxpro {
class Session;
}

// Opens a FoxPro target (folder of free tables) in the embedded table engine.
std::unique_ptr<DataLink::Backend> openFoxProConnection(const QString& connectionString,
                                                        const DataLink::Options& options);

// The embedded engine behind the DataLink interface: statements go to one engine session,
// which keeps the tables it writes open until the connection closes.
class FoxProConnection : public DataLink::Backend {
public:
    explicit FoxProConnection(std::unique_ptr<foxpro::Session> session);
    ~FoxProConnection() override;

    std::unique_ptr<DataLink::Recordset> execute(const QString& sql) override;
    std::unique_ptr<DataLink::Recordset> openSchema(int schema) override;
    void close() override;

private:
    std::unique_ptr<foxpro::Session> session_;
};
