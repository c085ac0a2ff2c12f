#include "tests/support/TestEnvironment.h"

#include <QProcessEnvironment>

namespace {
QString env(const char* name) { return QProcessEnvironment::systemEnvironment().value(name); }
}  // namespace

namespace TestEnvironment {
QString pgHost() { return env("BRINDLECAST_PGHOST"); }
QString pgPort() { return env("BRINDLECAST_PGPORT"); }
QString pgUser() { return env("BRINDLECAST_PGUSER"); }
QString pgPassword() { return env("BRINDLECAST_PGPASSWORD"); }
bool hasPostgres() { return !pgPort().isEmpty(); }
QString sourceDir() { return env("BRINDLECAST_SOURCE_DIR"); }
QString refereePython() { return QStringLiteral("/usr/bin/python3"); }
}  // namespace TestEnvironment
