// Builds the CREATE TABLE text and the INSERT texts of a 12-field row many times and prints
// rows per second, with a plain QString concatenation of the same statement as the peer.
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QTextStream>
#include <cstdio>

#include "engine/CreateTableBuilder.h"
#include "engine/InsertBuilder.h"

namespace {

std::vector<DataLink::Field> sampleRow(long long i) {
    const QString longText = QString(200, QLatin1Char('x'));
    return {
        {"id", 3, QVariant(i)},
        {"qty", 2, QVariant(qlonglong(i % 1000))},
        {"big", 20, QVariant(qlonglong(i * 1000003))},
        {"code", 202, QStringLiteral("C-%1").arg(i % 97)},
        {"name", 202, QStringLiteral("O'Neil and sons")},
        {"notes", 203, longText},
        {"price", 131, QVariant::fromValue(DataLink::Decimal{QStringLiteral("19.99")})},
        {"ratio", 5, QVariant(0.1 * double(i % 10))},
        {"created", 135, QDateTime(QDate(2021, 8, 31), QTime(13, 5, 9))},
        {"born", 133, QDate(1970, 1, 2)},
        {"missing", 202, QVariant()},
        {"active", 11, QVariant(true)},
    };
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const long long rows = argc > 1 ? atoll(argv[1]) : 1000000;
    std::vector<std::vector<DataLink::Field>> samples;
    for (int i = 0; i < 16; ++i) samples.push_back(sampleRow(i));

    CreateTableBuilder create;
    create.begin(QStringLiteral("orders"));
    for (const auto& f : samples[0]) create.addField(f, nullptr);
    const QString createText = create.finish();

    InsertBuilder insert(RegionalSettings::fromLocale(QLocale(QLocale::English, QLocale::UnitedStates)));
    insert.beginTable(QStringLiteral("orders"), create.numericColumns());
    QElapsedTimer timer;
    timer.start();
    std::size_t bytes = 0;
    for (long long r = 0; r < rows; ++r) {
        insert.beginRow();
        for (const auto& f : samples[r & 15]) insert.addField(f);
        bytes += insert.finishRow().size();
    }
    const double builderSeconds = timer.nsecsElapsed() / 1e9;

    // Peer: the same statement shape put together with ordinary QString conversions, the way
    // a straightforward implementation would (a new string per value).
    timer.restart();
    std::size_t peerBytes = 0;
    for (long long r = 0; r < rows / 4; ++r) {
        QString s = QStringLiteral("INSERT INTO [orders] VALUES (");
        for (const auto& f : samples[r & 15]) {
            const QString text = f.value.isValid() ? f.value.toString() : QString();
            s += text.isEmpty() ? QStringLiteral("NULL, ") : QLatin1Char('\'') + QString(text).replace("'", "''") + QStringLiteral("', ");
        }
        s.chop(2);
        s += QStringLiteral(");");
        peerBytes += s.size();
    }
    const double peerSeconds = timer.nsecsElapsed() / 1e9 * 4;

    QTextStream out(stdout);
    out << "CREATE TABLE: " << createText << "\n";
    out << "rows: " << rows << ", characters: " << bytes << "\n";
    out << "builder: " << qint64(rows / builderSeconds) << " rows/s\n";
    out << "naive QString peer: " << qint64(rows / peerSeconds) << " rows/s (measured on " << rows / 4 << " rows)\n";
    out << "ratio builder/peer: " << QString::number(peerSeconds / builderSeconds, 'f', 2) << "\n";
    return peerBytes > 0 ? 0 : 1;
}
