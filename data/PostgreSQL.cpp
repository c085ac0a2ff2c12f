#include "data/PostgreSQL.h"

#include "data/ConnectionStrings.h"
#include "data/DataLink.h"

namespace {
// Schemas whose names begin with "pg_" are reserved for the server (pg_catalog, pg_toast, the
// temporary schemas of other sessions); information_schema is the standard's catalogue.
const char* const kUserTablesQuery =
    "select schemaname, tablename from pg_tables "
    "where schemaname not like 'pg\\_%' and schemaname <> 'information_schema';";
}  // namespace

bool IsValidPostgreSQLConnection(const ConnectionFields& fields) {
    DataLink::Connection connection;
    try {
        connection.open(postgreSQLConnectionString(fields));
        return true;
    } catch (...) {
        return false;
    }
}

void AddTablesToPostgreSQLListbox(const ConnectionFields& fields, TableList& list,
                                  const std::function<void()>& processEvents) {
    DataLink::Connection connection;
    connection.setCursorLocation(DataLink::kClientSide);
    connection.open(postgreSQLConnectionString(fields));
    std::unique_ptr<DataLink::Recordset> tables =
        connection.execute(QString::fromLatin1(kUserTablesQuery));
    const long long n = tables->recordCount();
    for (long long i = 1; i <= n; ++i) {
        if (processEvents) processEvents();
        list.addItem(tables->field(1).value.toString(), tables->field(0).value.toString());
        tables->moveNext();
    }
    tables->close();
    connection.close();
}

QString postgreSQLIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString postgreSQLSourceQuery(const QString& schema, const QString& name) {
    QString query = QStringLiteral("SELECT * FROM ");
    if (!schema.isEmpty()) query += postgreSQLIdentifier(schema) + QLatin1Char('.');
    return query + postgreSQLIdentifier(name);
}
