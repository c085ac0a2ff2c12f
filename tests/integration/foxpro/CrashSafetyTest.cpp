// A writer killed with SIGKILL at random moments leaves a table that every reader opens, with
// a record count that covers only complete records.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "foxpro/RecordReader.h"
#include "foxpro/Session.h"
#include "foxpro/Table.h"
#include "tests/integration/foxpro/Referee.h"
#include "tests/unit/foxpro/TempFolder.h"

namespace {

std::string memoFor(long id) {
    return "memo of row " + std::to_string(id) + std::string(id % 300, 'x');
}

// The child: appends rows with growing ids to the table until it is killed.
[[noreturn]] void writeUntilKilled(const std::string& folder, long firstId) {
    try {
        auto session = foxpro::Session::openFolder(folder);
        for (long id = firstId;; ++id) {
            // Flush often and pace the rows, so that kills land in and between flushes while
            // the table stays small enough for the referees to read every round.
            if (id % 40 == 0) session->flush();
            if (id % 10 == 0) ::usleep(1000);
            session->execute("INSERT INTO crash VALUES (" + std::to_string(id) + ", 'name " +
                             std::to_string(id) + " O''Neil', " + std::to_string(id) + ".25, '" +
                             memoFor(id) + "', {^2021-08-31 13:05:09})");
        }
    } catch (...) {
    }
    _exit(3);
}

TEST(CrashSafety, KilledWritersLeaveTablesEveryReaderOpens) {
    TempFolder folder;
    {
        auto session = foxpro::Session::openFolder(folder.path());
        session->execute("CREATE TABLE crash (id I, name C(40), amount N(12,2), note M, at T)");
    }
    std::mt19937 random(20210831);
    const int kills = 24;
    long rows = 0;
    for (int round = 0; round < kills; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) writeUntilKilled(folder.path(), rows + 1);
        ::usleep(std::uniform_int_distribution<int>(2000, 150000)(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself in round " << round;

        // The header counts whole records only, each one complete and in order.
        auto table = foxpro::Table::open(folder.file("crash.dbf"), folder.file("crash.fpt"), false);
        const std::string bytes = folder.read("crash.dbf");
        const std::uint32_t counted =
            static_cast<unsigned char>(bytes[4]) | static_cast<unsigned char>(bytes[5]) << 8 |
            static_cast<unsigned char>(bytes[6]) << 16 | static_cast<unsigned char>(bytes[7]) << 24;
        const auto& s = table->structure();
        ASSERT_GE(bytes.size(), s.headerLength() + std::size_t{counted} * s.recordLength());
        ASSERT_GE(counted, rows) << "records counted before were lost";
        foxpro::RecordReader reader(s, table->memo());
        for (std::uint32_t r = rows; r < counted; ++r) {
            const std::string record = table->record(r);
            ASSERT_EQ(record[0], ' ');
            ASSERT_EQ(reader.read(record, 0).text, std::to_string(r + 1)) << "round " << round;
            ASSERT_EQ(reader.read(record, 3).text, memoFor(r + 1)) << "round " << round;
        }
        rows = counted;

        // Every referee opens the table and sees exactly the counted rows.
        for (const char* name : {"dbf", "dbfread", "pgdbf"}) {
            if (round % 6 != 0 && std::string(name) != "dbfread") continue;  // keep the loop quick
            const RefereeResult r =
                runReferee(name, QString::fromStdString(folder.file("crash.dbf")));
            ASSERT_TRUE(r.ok) << name << " round " << round << ": " << r.complaint.toStdString();
            ASSERT_EQ(r.records.size(), static_cast<int>(counted)) << name;
            if (counted > 0) {
                const QJsonArray last = r.records.at(static_cast<int>(counted) - 1).toArray();
                EXPECT_EQ(last.at(3).toString().toStdString(), memoFor(counted)) << name;
            }
        }
    }
    EXPECT_GT(rows, 0) << "no kill came after a flush";
}

}  // namespace
