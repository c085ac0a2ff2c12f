#pragma once

#include <QString>

// What the test script exports: the throwaway PostgreSQL server and the source tree.
namespace TestEnvironment {
QString pgHost();
QString pgPort();
QString pgUser();
QString pgPassword();
bool hasPostgres();
QString sourceDir();
// The Debian interpreter that has the referee packages (python3-dbf, python3-dbfread).
QString refereePython();
}  // namespace TestEnvironment
