#include "data/Foxpro.h"

#include <memory>

#include "core/ErrorTrap.h"
#include "data/ConnectionStrings.h"
#include "data/DataLink.h"

bool IsValidFoxProConnection(const ConnectionFields& fields, ErrorReporter& reporter) {
    ErrorTrap trap(reporter, QStringLiteral("Foxpro.IsValidFoxProConnection"));
    bool result = false;
    trap.step(100, [&] { result = false; });
    std::unique_ptr<DataLink::Connection> connection;
    trap.step(102, [&] { connection = std::make_unique<DataLink::Connection>(); });
    // From here on a failure is the expected answer "no connection", not a report.
    try {
        trap.enter(104);
        if (!connection) throw Failure(91, QStringLiteral("Object variable not set"));
        connection->setCursorLocation(DataLink::kServerSide);
        trap.enter(106);
        trap.enter(fields.optionDbc ? 108 : 110);
        connection->open(foxProCheckConnectionString(fields));
        trap.enter(112);
        result = true;
    } catch (...) {
        trap.enter(116);
        result = false;
    }
    return result;
}

void AddTablesToFoxproListbox(const ConnectionFields& fields, TableList& list,
                              ErrorReporter& reporter, const std::function<void()>& processEvents) {
    ErrorTrap trap(reporter, QStringLiteral("Foxpro.AddTablesToFoxproListbox"));
    QString connectionString;
    trap.step(100, [&] {
        trap.enter(fields.optionDbc ? 102 : 104);
        connectionString = foxProCheckConnectionString(fields);
    });
    std::unique_ptr<DataLink::Recordset> tables;
    std::unique_ptr<DataLink::Connection> connection;
    trap.step(106, [] {});
    trap.step(108, [&] { connection = std::make_unique<DataLink::Connection>(); });
    bool opened = false;
    trap.step(110, [&] {
        connection->open(connectionString);
        opened = true;
    });
    trap.step(112, [&] {
        if (opened) tables = connection->openSchema(DataLink::kTablesSchema);
    });
    trap.step(114, [&] { list.clear(); });
    if (!tables) return;  // already reported: nothing to list
    // An end-of-rows test that fails counts as the end, so a broken list ends the loop.
    while (!trap.test(116, [&] { return tables->eof(); })) {
        if (trap.test(118, [&] {
                return tables->field(QStringLiteral("TABLE_TYPE")).value.toString() ==
                       QLatin1String("TABLE");
            })) {
            trap.step(120, [&] {
                if (processEvents) processEvents();
            });
            trap.step(122, [&] {
                list.addItem(tables->field(QStringLiteral("TABLE_NAME")).value.toString());
            });
        }
        bool moved = false;
        trap.step(124, [&] {
            tables->moveNext();
            moved = true;
        });
        if (!moved) break;  // a recordset that cannot move on would repeat its row forever
    }
    trap.step(126, [&] { tables->close(); });
    trap.step(128, [&] { tables.reset(); });
    trap.step(130, [&] { connection->close(); });
    trap.step(132, [&] { connection.reset(); });
}
