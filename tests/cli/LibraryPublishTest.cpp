// One workstation publishes over git:// (and ssh://), three hosts pull and `hosts` tells who is
// behind; every refusal leaves the data directory as it was; of two publishers at once, one wins
// whole.
#include "PublishFixture.h"

#include <future>
#include <regex>

namespace vorela {
namespace {

using test::PublishFixture;

class LibraryPublishTest : public PublishFixture {};

TEST_F(LibraryPublishTest, HostsPullEachPublishedVersionAndHostsShowsWhoIsBehind)
{
    const std::string url = remote("remote.git");
    writeBank(publisher.path(), 1, 1);
    const test::ToolRun first =
        vorela(publisher.path(), "library publish " + url + " --key '" + key.string() + "'");
    ASSERT_EQ(first.status, 0) << first.errors;
    for (std::size_t host = 0; host < hosts.size(); ++host) {
        const test::ToolRun pulled =
            vorela(hosts[host].path(), "library pull " + url + " --host h" + std::to_string(host));
        ASSERT_EQ(pulled.status, 0) << pulled.errors;
        EXPECT_EQ(libraryBytes(hosts[host].path()), libraryBytes(publisher.path()));
    }
    const std::string line = "h\\d\t" + lastLine(first.output) +
                             "\t\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\tcurrent\n";
    EXPECT_TRUE(std::regex_match(vorela(root.path(), "library hosts " + url).output,
                                 std::regex(line + line + line)));

    writeBank(publisher.path(), 2, 1); // one word recorded anew
    const std::string second = lastLine(
        vorela(publisher.path(), "library publish " + url + " --key '" + key.string() + "'")
            .output);
    ASSERT_EQ(vorela(hosts[0].path(), "library pull " + url + " --host h0").status, 0);
    ASSERT_EQ(vorela(hosts[1].path(), "library pull " + url + " --host h1").status, 0);
    const std::string shown = vorela(root.path(), "library hosts " + url).output;
    EXPECT_TRUE(std::regex_match(shown, std::regex("h0\t" + second + "\t.*\tcurrent\nh1\t" +
                                                   second + "\t.*\tcurrent\nh2\t" +
                                                   lastLine(first.output) + "\t.*\tbehind\n")))
        << shown;
    // Plain git accepts the signature.
    EXPECT_EQ(std::system(("git --git-dir '" + (root.path() / "remote.git").string() +
                           "' -c gpg.ssh.allowedSignersFile='" +
                           (hosts[0].path() / "trusted-publishers").string() +
                           "' verify-commit main 2>/dev/null")
                              .c_str()),
              0);
}

TEST_F(LibraryPublishTest, EveryRefusalNamesItsCauseAndChangesNothing)
{
    const std::string url = remote("remote.git");
    writeBank(publisher.path(), 1, 1);
    const std::string published = lastLine(
        vorela(publisher.path(), "library publish " + url + " --key '" + key.string() + "'")
            .output);
    ASSERT_EQ(vorela(publisher.path(), "library publish " + remote("untrusted.git") + " --key '" +
                                           otherKey.string() + "'")
                  .status,
              0);
    const std::string plain = remote("unsigned.git");
    ASSERT_EQ(std::system(("cd '" + root.path().string() +
                           "' && git init -q plain && cd plain && git -c user.name=a "
                           "-c user.email=a@b commit -q --allow-empty -m x && git push -q " +
                           plain + " HEAD:main")
                              .c_str()),
              0);
    // The published version with its message changed and its signature kept, as a remote
    // someone tampered with would serve it.
    ASSERT_EQ(std::system(("cd '" + root.path().string() +
                           "' && git clone -q --bare remote.git tampered.git && cd tampered.git && "
                           "git update-ref refs/heads/main $(git cat-file commit main | sed "
                           "'$s/.*/Tampered/' | git hash-object -t commit -w --stdin)")
                              .c_str()),
              0);
    std::filesystem::remove(hosts[1].path() / "trusted-publishers");
    writeBank(hosts[2].path(), 5, 5);
    ASSERT_EQ(vorela(hosts[2].path(), "library save").status, 0); // publish saves first

    const struct {
        std::size_t host;
        std::string command;
        std::string said;
    } cases[] = {
        {0, "pull " + plain + " --host h", "is unsigned"},
        {0, "pull " + remote("untrusted.git") + " --host h", "a key the host does not trust"},
        {0, "pull " + remote("tampered.git") + " --host h", "forged or tampered"},
        {1, "pull " + url + " --host h", "trusted-publishers: missing"},
        {2, "publish " + url + " --key '" + key.string() + "'", "has version " + published},
        {0, "pull git://127.0.0.1:1/x --host h", "cannot be reached"},
    };
    for (const auto &refusal : cases) {
        const std::filesystem::path &dir = hosts[refusal.host].path();
        const std::string before = libraryBytes(dir);
        const std::string log = vorela(dir, "library log").output;
        const test::ToolRun run = vorela(dir, "library " + refusal.command);
        EXPECT_EQ(run.status, 1) << refusal.command;
        EXPECT_NE(run.errors.find(refusal.said), std::string::npos) << run.errors;
        EXPECT_EQ(libraryBytes(dir), before) << refusal.command;
        EXPECT_EQ(vorela(dir, "library log").output, log) << refusal.command;
    }
    EXPECT_EQ(remoteRef("remote.git", "main"), published);
    EXPECT_EQ(remoteRef("remote.git", "refs/hosts/h"), "");
}

TEST_F(LibraryPublishTest, OverSshTheUsersKeyOpensOnlyAServerItKnows)
{
    const std::string url = sshRemote("remote.git");
    writeBank(publisher.path(), 1, 1);
    const std::string publish = "library publish " + url + " --key '" + key.string() + "'";
    const test::ToolRun first = vorela(publisher.path(), publish);
    ASSERT_EQ(first.status, 0) << first.errors;
    const test::ToolRun pulled = vorela(hosts[0].path(), "library pull " + url + " --host h0");
    ASSERT_EQ(pulled.status, 0) << pulled.errors;
    EXPECT_EQ(libraryBytes(hosts[0].path()), libraryBytes(publisher.path()));
    EXPECT_TRUE(std::regex_match(vorela(root.path(), "library hosts " + url).output,
                                 std::regex("h0\t" + lastLine(first.output) + "\t.*\tcurrent\n")));

    // Another key under the server's name, as a machine put in its place would show.
    const std::string knownHosts = (home / ".ssh/known_hosts").string();
    ASSERT_EQ(std::system(("sed -i \"s| .*| $(cut -d' ' -f1,2 '" + otherKey.string() +
                           ".pub')|\" '" + knownHosts + "'")
                              .c_str()),
              0);
    writeBank(publisher.path(), 2, 1);
    const test::ToolRun refused = vorela(publisher.path(), publish);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.errors.find("hostkey"), std::string::npos) << refused.errors;
    EXPECT_EQ(remoteRef("remote.git", "main"), lastLine(first.output));
}

TEST_F(LibraryPublishTest, OfTwoPublishersAtOnceTheSecondIsRefused)
{
    const std::string url = remote("race.git");
    writeBank(publisher.path(), 1, 1);
    writeBank(hosts[0].path(), 2, 2);
    const auto publish = [&](const std::filesystem::path &dir) {
        return std::async(std::launch::async, [&, dir] {
            return vorela(dir, "library publish " + url + " --key '" + key.string() + "'");
        });
    };
    auto one = publish(publisher.path());
    auto other = publish(hosts[0].path());
    const test::ToolRun runs[] = {one.get(), other.get()};
    const int won = runs[0].status == 0 ? 0 : 1;
    ASSERT_EQ(runs[won].status, 0) << runs[won].errors;
    EXPECT_EQ(runs[1 - won].status, 1);
    EXPECT_NE(runs[1 - won].errors.find("library pull"), std::string::npos) << runs[1 - won].errors;
    EXPECT_EQ(remoteRef("race.git", "main"), lastLine(runs[won].output));
}

} // namespace
} // namespace vorela
