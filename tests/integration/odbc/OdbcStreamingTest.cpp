#include <gtest/gtest.h>

#include <QFile>

#include "data/ConnectionStrings.h"
#include "tests/integration/odbc/PgScratchDatabase.h"
#include "tests/support/TestEnvironment.h"

namespace {

// Resident memory of this process now and at its peak, in kB, from /proc/self/status.
long statusKb(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(strlen(key))).trimmed().split(' ')[0].toLong();
    return -1;
}

class OdbcStreaming : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TestEnvironment::hasPostgres()) GTEST_SKIP() << "BRINDLECAST_PGPORT is not set";
        db = std::make_unique<PgScratchDatabase>(
            QStringLiteral("odbc_stream_") +
            QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    }
    std::unique_ptr<PgScratchDatabase> db;
};

TEST_F(OdbcStreaming, MillionRowsThroughAServerSideCursorStayUnder100MB) {
    // About 150 bytes a row: the whole table held at once would take several hundred MB.
    db->run(
        "CREATE TABLE big (id integer, amount numeric(12,2), name varchar(60), note text, "
        "born date, stamp timestamp, flag boolean); "
        "INSERT INTO big SELECT i, i * 1.25, 'name number ' || i, repeat('n', 60 + i % 40), "
        "date '2000-01-01' + i % 9000, timestamp '2021-08-31' + i * interval '1 s', i % 2 = 0 "
        "FROM generate_series(1, 1000000) i");
    DataLink::Connection connection;
    connection.setCursorLocation(DataLink::kServerSide);
    connection.setCommandTimeout(5000);
    connection.setConnectionTimeout(5000);
    connection.open(postgreSQLConnectionString(db->fields()));
    auto rows = connection.execute("SELECT * FROM big");
    EXPECT_EQ(rows->recordCount(), -1);  // a streaming cursor does not know its size
    long long n = 0, idSum = 0, maxRss = 0;
    for (; !rows->eof(); rows->moveNext()) {
        ++n;
        idSum += rows->field(0).value.toLongLong();
        if (n % 100000 == 0) maxRss = std::max<long long>(maxRss, statusKb("VmRSS:"));
    }
    EXPECT_EQ(n, 1000000);
    EXPECT_EQ(idSum, 1000000LL * 1000001 / 2);
    EXPECT_LT(maxRss, 100 * 1024) << "resident kB while reading";
    EXPECT_LT(statusKb("VmHWM:"), 100 * 1024) << "peak resident kB";
}

TEST_F(OdbcStreaming, ClientSideCursorCountsExactly) {
    db->run("CREATE TABLE c (id integer); INSERT INTO c SELECT generate_series(1, 12345)");
    auto connection = db->connect(DataLink::kClientSide);
    auto rows = connection->execute("SELECT * FROM c");
    EXPECT_EQ(rows->recordCount(), 12345);
    long long n = 0;
    for (; !rows->eof(); rows->moveNext()) ++n;
    EXPECT_EQ(n, 12345);
    EXPECT_EQ(connection->execute("SELECT * FROM c WHERE id < 0")->recordCount(), 0);
    EXPECT_EQ(connection->execute("SELECT * FROM c WHERE id = 7")->recordCount(), 1);
}

}  // namespace
