#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "tests/support/TestEnvironment.h"

// Runs tests/support/referees/dbf_referee.py: one independent reader's view of a table.
struct RefereeResult {
    bool ok = false;
    QString complaint;  // the reader's stderr when it could not open the table
    QJsonArray fields;
    QJsonArray records;
};

inline RefereeResult runReferee(const QString& reader, const QString& dbfPath,
                                const QString& encoding = QStringLiteral("cp1252")) {
    QProcess p;
    p.start(
        TestEnvironment::refereePython(),
        {TestEnvironment::sourceDir() + QStringLiteral("/tests/support/referees/dbf_referee.py"),
         reader, dbfPath, QStringLiteral("--encoding"), encoding});
    RefereeResult r;
    if (!p.waitForFinished(120000)) {
        r.complaint = QStringLiteral("referee did not finish");
        return r;
    }
    r.complaint = QString::fromUtf8(p.readAllStandardError());
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return r;
    const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    r.fields = o.value(QStringLiteral("fields")).toArray();
    r.records = o.value(QStringLiteral("records")).toArray();
    r.ok = true;
    return r;
}
