#pragma once

#include "core/ErrorReporter.h"
#include "core/UserDialogs.h"
#include "data/ConnectionFields.h"

// The two "Test Connection" buttons of the main window, which wires its fields, messages,
// pointer and error reporter to them.

// PostgreSQL (PushButton1): "Connection successful." or, for any refused opening, only
// "Could not connect. Please check with your administrator."
void TestPostgreSQLConnection(const ConnectionFields& fields, MessageBoxes& messages,
                              WindowPointer& pointer, ErrorReporter& reporter);

// FoxPro (PushButton8): "Connection successful." or "Could not connect."
void TestFoxProConnection(const ConnectionFields& fields, MessageBoxes& messages,
                          WindowPointer& pointer, ErrorReporter& reporter);
