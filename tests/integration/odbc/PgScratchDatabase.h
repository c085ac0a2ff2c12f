#pragma once

#include <QString>
#include <memory>

#include "data/ConnectionFields.h"
#include "data/DataLink.h"

// A database of its own for one test, created on the test server and dropped afterwards, so
// tests that run side by side never see each other's tables.
class PgScratchDatabase {
public:
    explicit PgScratchDatabase(const QString& name);
    ~PgScratchDatabase();

    // The window's fields for this database, as the administrator of the test server.
    ConnectionFields fields() const;
    // Runs statements on it (several separated by ";" are fine).
    void run(const QString& sql);
    // An open connection with the given cursor location.
    std::unique_ptr<DataLink::Connection> connect(int cursorLocation = DataLink::kServerSide);

    static ConnectionFields serverFields(const QString& database);

private:
    QString name_;
};
