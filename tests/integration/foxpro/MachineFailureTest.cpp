// Failures of the machine itself come in the system's words, without the SQLException prefix,
// and leave the table as it was before the failing write.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include "foxpro/Error.h"
#include "foxpro/Session.h"
#include "tests/unit/foxpro/TableDump.h"
#include "tests/unit/foxpro/TempFolder.h"

namespace {

// Limits the size of files this process writes, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        ::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    sighandler_t previous_;
};

TEST(MachineFailures, AFullDiskIsReportedInTheSystemsWordsAndCountsNothing) {
    TempFolder folder;
    auto session = foxpro::Session::openFolder(folder.path());
    session->execute("CREATE TABLE t (n I, c C(200))");
    session->execute("INSERT INTO t VALUES (1, 'kept')");
    session->flush();
    {
        FileSizeLimit limit(4096);
        for (int i = 0; i < 40; ++i) session->execute("INSERT INTO t VALUES (2, 'lost')");
        try {
            session->flush();
            FAIL() << "the write past the limit succeeded";
        } catch (const foxpro::Error& e) {
            EXPECT_EQ(e.number(), 1105);
            EXPECT_EQ(std::string(e.what()), "Cannot write \"t.dbf\": File too large.");
        }
    }
    EXPECT_EQ(dumpTable(folder.file("t.dbf")),
              (std::vector<std::vector<std::string>>{{"1", "kept"}}));
    // With room again the buffered rows go out whole.
    session->close();
    EXPECT_EQ(dumpTable(folder.file("t.dbf")).size(), 41u);
}

}  // namespace
