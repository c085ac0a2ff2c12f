#include "tests/integration/odbc/PgScratchDatabase.h"

#include "data/ConnectionStrings.h"
#include "tests/support/PostgresFixture.h"

namespace {
void runOn(const QString& database, const QString& sql) {
    DataLink::Connection connection;
    connection.open(postgreSQLConnectionString(PgScratchDatabase::serverFields(database)));
    connection.execute(sql);
}
}  // namespace

ConnectionFields PgScratchDatabase::serverFields(const QString& database) {
    return PostgresFixture::fields(database, QString());
}

PgScratchDatabase::PgScratchDatabase(const QString& name) : name_(name.toLower()) {
    runOn(QStringLiteral("postgres"), QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name_));
    runOn(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE %1").arg(name_));
}

PgScratchDatabase::~PgScratchDatabase() {
    try {
        runOn(QStringLiteral("postgres"),
              QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name_));
    } catch (...) {
    }
}

ConnectionFields PgScratchDatabase::fields() const {
    return serverFields(name_);
}

void PgScratchDatabase::run(const QString& sql) {
    runOn(name_, sql);
}

std::unique_ptr<DataLink::Connection> PgScratchDatabase::connect(int cursorLocation) {
    auto connection = std::make_unique<DataLink::Connection>();
    connection->setCursorLocation(cursorLocation);
    connection->open(postgreSQLConnectionString(fields()));
    return connection;
}
