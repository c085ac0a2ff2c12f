#include "tests/support/PostgresFixture.h"

#include <QProcess>
#include <QProcessEnvironment>

#include "tests/support/TestEnvironment.h"

namespace PostgresFixture {

namespace {

QString runPsql(const QString& database, const QString& sql, QString* error) {
    QProcess psql;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGPASSWORD"), TestEnvironment::pgPassword());
    psql.setProcessEnvironment(env);
    psql.start(QStringLiteral("psql"),
               {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-A"), QStringLiteral("-t"),
                QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-h"),
                TestEnvironment::pgHost(), QStringLiteral("-p"), TestEnvironment::pgPort(),
                QStringLiteral("-U"), TestEnvironment::pgUser(), QStringLiteral("-d"), database});
    psql.write(sql.toUtf8());
    psql.closeWriteChannel();
    psql.waitForFinished(600000);
    const QString stderrText = QString::fromUtf8(psql.readAllStandardError());
    if (error) *error = psql.exitCode() == 0 ? QString() : stderrText;
    return QString::fromUtf8(psql.readAllStandardOutput());
}

}  // namespace

QString recreate(const QString& database, const QString& setupSql) {
    QString error;
    runPsql(QStringLiteral("postgres"),
            QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE);\nCREATE DATABASE \"%1\";\n").arg(database),
            &error);
    if (!error.isEmpty() || setupSql.isEmpty()) return error;
    runPsql(database, setupSql, &error);
    return error;
}

QString query(const QString& database, const QString& sql, QString* error) {
    return runPsql(database, sql, error);
}

ConnectionFields fields(const QString& database, const QString& folder) {
    ConnectionFields f;
    f.server = TestEnvironment::pgHost();
    f.port = TestEnvironment::pgPort();
    f.user = TestEnvironment::pgUser();
    f.password = TestEnvironment::pgPassword();
    f.database = database;
    f.folder = folder;
    return f;
}

}  // namespace PostgresFixture
