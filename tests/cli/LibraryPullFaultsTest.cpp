// A pull that runs out of disk or is killed: the host's library is the old or the new version
// whole once the next library command ran, and the remote records only a version applied.
#include "PublishFixture.h"
#include "support/ChildProcess.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <random>
#include <thread>

namespace vorela {
namespace {

using namespace std::chrono_literals;

class LibraryPullFaultsTest : public test::PublishFixture {
protected:
    // `library pull` as a child process, its files limited to fileLimit bytes when given.
    static int pullInChild(const std::filesystem::path &dir, const std::string &url,
                           test::ChildProcess &self, rlim_t fileLimit)
    {
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDOUT_FILENO);
        ::dup2(quiet, STDERR_FILENO);
        const rlimit limit{fileLimit, fileLimit};
        if (fileLimit != RLIM_INFINITY &&
            (::setrlimit(RLIMIT_FSIZE, &limit) != 0 || std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR))
            return 126;
        self.tell('o');
        const std::string tool = std::string(VORELA_BINARY_DIR) + "/src/cli/vorela";
        ::execl(tool.c_str(), tool.c_str(), "--data-dir", dir.c_str(), "library", "pull",
                url.c_str(), "--host", "h", nullptr);
        return 127;
    }
    void publish(std::int16_t word, std::int16_t rest)
    {
        writeBank(publisher.path(), word, rest);
        const test::ToolRun run =
            vorela(publisher.path(), "library publish " + url + " --key '" + key.string() + "'");
        ASSERT_EQ(run.status, 0) << run.errors;
    }

    std::string url;
};

TEST_F(LibraryPullFaultsTest, AFullDiskRefusesThePullAndRecordsNothing)
{
    url = remote("remote.git");
    publish(1, 1);
    const std::string before = libraryBytes(hosts[0].path());
    test::ChildProcess child([&](test::ChildProcess &self) {
        return pullInChild(hosts[0].path(), url, self, 600 * 1024);
    });
    EXPECT_EQ(child.wait(), 1);
    EXPECT_EQ(libraryBytes(hosts[0].path()), before);
    EXPECT_EQ(remoteRef("remote.git", "refs/hosts/h"), "");
}

TEST_F(LibraryPullFaultsTest, AKilledPullLeavesTheOldOrTheNewLibraryAndNoRecordBeforeTheApply)
{
    url = remote("remote.git");
    publish(1, 1);
    const std::filesystem::path host = hosts[0].path();
    ASSERT_EQ(vorela(host, "library pull " + url + " --host h").status, 0);
    const std::string oldBytes = libraryBytes(host);
    const std::string oldVersion = vorela(host, "library log").output.substr(0, 40);
    publish(2, 2);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(vorela(hosts[1].path(), "library pull " + url + " --host other").status, 0);
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    const std::string newBytes = libraryBytes(hosts[1].path());
    const std::string records = "git --git-dir '" + (root.path() / "remote.git").string() + "'";
    std::mt19937 random(20261208);
    for (int kill = 0; kill < 8; ++kill) {
        ASSERT_EQ(std::system((records + " update-ref -d refs/hosts/h").c_str()), 0);
        test::ChildProcess child(
            [&](test::ChildProcess &self) { return pullInChild(host, url, self, RLIM_INFINITY); });
        ASSERT_EQ(child.receive(10s), 'o');
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (span.count() + 1)));
        child.kill();
        (void)child.wait(); // killed: its status says nothing
        ASSERT_NE(vorela(host, "library save").status, -1);
        const std::string now = libraryBytes(host);
        ASSERT_TRUE(now == oldBytes || now == newBytes) << "kill " << kill << ": torn";
        if (!remoteRef("remote.git", "refs/hosts/h").empty()) {
            EXPECT_EQ(now, newBytes) << "kill " << kill << ": recorded before the apply";
        }
        if (now == newBytes) {
            ASSERT_EQ(vorela(host, "library restore " + oldVersion).status, 0);
        }
    }
}

} // namespace
} // namespace vorela
