// Reads every row of one table through the ODBC layer with a server-side cursor and prints
// "rows seconds peak-rss-kb". Connection from BRINDLECAST_PG* and the database argument.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <cstdio>

#include "data/ConnectionStrings.h"
#include "data/DataLink.h"
#include "data/PostgreSQL.h"

namespace {
long peakRssKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s DATABASE TABLE\n", argv[0]);
        return 2;
    }
    const auto env = QProcessEnvironment::systemEnvironment();
    ConnectionFields fields;
    fields.server = env.value(QStringLiteral("BRINDLECAST_PGHOST"));
    fields.port = env.value(QStringLiteral("BRINDLECAST_PGPORT"));
    fields.user = env.value(QStringLiteral("BRINDLECAST_PGUSER"));
    fields.password = env.value(QStringLiteral("BRINDLECAST_PGPASSWORD"));
    fields.database = QString::fromLocal8Bit(argv[1]);
    try {
        DataLink::Connection connection;
        connection.setCursorLocation(DataLink::kServerSide);
        connection.setCommandTimeout(5000);
        connection.setConnectionTimeout(5000);
        QElapsedTimer timer;
        timer.start();
        connection.open(postgreSQLConnectionString(fields));
        auto rows = connection.execute(
            postgreSQLSourceQuery(QStringLiteral("public"), QString::fromLocal8Bit(argv[2])));
        long long count = 0;
        qsizetype touched = 0;
        for (; !rows->eof(); rows->moveNext(), ++count)
            for (const DataLink::Field& field : rows->fields()) touched += field.value.isValid();
        rows->close();
        const double seconds = timer.nsecsElapsed() / 1e9;
        std::printf("%lld %.3f %ld %lld\n", count, seconds, peakRssKb(), (long long)touched);
    } catch (const Failure& failure) {
        std::fprintf(stderr, "%s\n", qPrintable(failure.description()));
        return 1;
    }
    return 0;
}
