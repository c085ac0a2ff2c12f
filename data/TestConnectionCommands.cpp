#include "data/TestConnectionCommands.h"

#include <memory>

#include "core/ErrorTrap.h"
#include "data/ConnectionStrings.h"
#include "data/DataLink.h"
#include "data/Foxpro.h"

namespace {
const QString kSuccessful = QStringLiteral("Connection successful.");
}

void TestPostgreSQLConnection(const ConnectionFields& fields, MessageBoxes& messages,
                              WindowPointer& pointer, ErrorReporter& reporter) {
    ErrorTrap trap(reporter, QStringLiteral("Form1.PushButton1_Click"));
    std::unique_ptr<DataLink::Connection> connection;
    trap.step(100, [&] { connection = std::make_unique<DataLink::Connection>(); });
    // Lines 102 to 108 run under this command's own handler: any failure there, the refused
    // opening above all, leads to its own message and nothing else.
    bool failed = false;
    try {
        trap.enter(102);
        pointer.setPointer(Pointer::Busy);
        trap.enter(104);
        if (!connection) throw Failure(91, QStringLiteral("Object variable not set"));
        connection->open(postgreSQLConnectionString(fields));
        trap.enter(106);
        messages.information(kSuccessful);
        trap.enter(108);
        pointer.setPointer(Pointer::Normal);
    } catch (...) {
        failed = true;
    }
    trap.enter(110);
    if (failed) {
        trap.step(112, [&] {
            messages.information(
                QStringLiteral("Could not connect. Please check with your administrator."));
        });
        trap.step(114, [&] { pointer.setPointer(Pointer::Normal); });
        trap.enter(116);
    }
}

void TestFoxProConnection(const ConnectionFields& fields, MessageBoxes& messages,
                          WindowPointer& pointer, ErrorReporter& reporter) {
    ErrorTrap trap(reporter, QStringLiteral("Form1.PushButton8_Click"));
    trap.step(100, [&] { pointer.setPointer(Pointer::Busy); });
    bool valid = false;
    trap.step(102, [&] { valid = IsValidFoxProConnection(fields, reporter); });
    if (valid)
        trap.step(104, [&] { messages.information(kSuccessful); });
    else
        trap.step(106, [&] { messages.information(QStringLiteral("Could not connect.")); });
    trap.step(108, [&] { pointer.setPointer(Pointer::Normal); });
}
