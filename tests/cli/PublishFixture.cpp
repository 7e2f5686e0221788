// The daemon is a child of the test, killed at its end; it is ready once it says so on stderr
// (its few lines a connection fit the pipe, which is read no further).
#include "PublishFixture.h"

#include "platform/RegFile.h"
#include "platform/RegistryStore.h"
#include "soundbank/RiffBytes.h"

#include <netinet/in.h>
#include <poll.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace vorela::test {

static int freePort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const bool bound = ::bind(probe, reinterpret_cast<sockaddr *>(&address), length) == 0 &&
                       ::getsockname(probe, reinterpret_cast<sockaddr *>(&address), &length) == 0;
    ::close(probe);
    return bound ? ntohs(address.sin_port) : 0;
}

static bool shell(const std::string &command)
{
    return std::system(command.c_str()) == 0;
}

// Starts a server with arguments, its stderr into a pipe, and waits for it to say ready. Returns
// the pipe, kept open by the caller: a server writing to a closed pipe would die.
static int startServer(std::vector<std::string> arguments, const std::string &ready, pid_t &server,
                       std::string &said)
{
    int errors[2];
    if (::pipe(errors) != 0)
        return -1;
    server = ::fork();
    if (server == 0) {
        ::dup2(errors[1], STDERR_FILENO);
        std::vector<char *> argv;
        for (std::string &argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(errors[1]);
    pollfd readable{errors[0], POLLIN, 0};
    char buffer[256];
    while (said.find(ready) == std::string::npos && ::poll(&readable, 1, 10000) == 1) {
        const ssize_t read = ::read(errors[0], buffer, sizeof buffer);
        if (read <= 0)
            break;
        said.append(buffer, static_cast<std::size_t>(read));
    }
    return errors[0];
}

void PublishFixture::SetUp()
{
    port = freePort();
    std::string said;
    daemonErrors =
        startServer({"git", "daemon", "--verbose", "--export-all", "--enable=receive-pack",
                     "--reuseaddr", "--listen=127.0.0.1", "--port=" + std::to_string(port),
                     "--base-path=" + root.path().string()},
                    "Ready to rumble", daemon, said);
    ASSERT_NE(said.find("Ready to rumble"), std::string::npos) << said;

    key = root.path() / "key";
    otherKey = root.path() / "other";
    ASSERT_TRUE(shell("ssh-keygen -q -t ed25519 -N '' -C publisher -f '" + key.string() +
                      "' && ssh-keygen -q -t ed25519 -N '' -f '" + otherKey.string() + "'"));
    ASSERT_EQ(vorela(publisher.path(), "init").status, 0);
    for (const TempDataDir &host : hosts) {
        ASSERT_EQ(vorela(host.path(), "init").status, 0);
        ASSERT_TRUE(shell("printf 'publisher ' >'" + host.path().string() +
                          "/trusted-publishers' && cut -d' ' -f1,2 '" + key.string() + ".pub' >>'" +
                          host.path().string() + "/trusted-publishers'"));
    }
}

std::string PublishFixture::sshRemote(const std::string &name)
{
    const std::string url = remote(name); // makes the repository
    if (sshServer <= 0) {
        home = root.path() / "home";
        const std::string folder = root.path().string();
        EXPECT_TRUE(shell("mkdir -p '" + home.string() + "/.ssh' && cd '" + folder +
                          "' && ssh-keygen -q -t ed25519 -N '' -f host_key && ssh-keygen -q -t "
                          "ed25519 -N '' -f home/.ssh/id_ed25519"));
        sshPort = freePort();
        std::ofstream config(root.path() / "sshd_config");
        config << "Port " << sshPort << "\nListenAddress 127.0.0.1\nHostKey " << folder
               << "/host_key\nAuthorizedKeysFile " << home.string()
               << "/.ssh/id_ed25519.pub\nPasswordAuthentication no\n"
                  "KbdInteractiveAuthentication no\nUsePAM no\nStrictModes no\nPidFile none\n";
        config.close();
        std::error_code status;
        // Its privilege separation: root's own, written by nobody else, whatever the umask.
        std::filesystem::create_directories("/run/sshd", status);
        std::filesystem::permissions("/run/sshd", std::filesystem::perms(0755), status);
        std::string said;
        ::close(startServer({"/usr/sbin/sshd", "-D", "-e", "-f", folder + "/sshd_config"},
                            "Server listening", sshServer, said));
        EXPECT_NE(said.find("Server listening"), std::string::npos) << said;
        EXPECT_TRUE(shell("printf '[127.0.0.1]:" + std::to_string(sshPort) + " ' >'" + folder +
                          "/home/.ssh/known_hosts' && cut -d' ' -f1,2 '" + folder +
                          "/host_key.pub' >>'" + folder + "/home/.ssh/known_hosts'"));
        const char *previous = std::getenv("HOME");
        savedHome = previous != nullptr ? previous : "";
        ::setenv("HOME", home.c_str(), 1);
        ::unsetenv("SSH_AUTH_SOCK");
        // libgit2 1.5 never frees the known-hosts list of an ssh connection (fixed in later
        // releases): in a sanitizer run the tool's leak check is off while it speaks ssh.
        const char *sanitizer = std::getenv("ASAN_OPTIONS");
        savedSanitizer =
            sanitizer != nullptr ? std::optional<std::string>(sanitizer) : std::nullopt;
        ::setenv("ASAN_OPTIONS", (savedSanitizer.value_or("") + ":detect_leaks=0").c_str(), 1);
    }
    const passwd *user = ::getpwuid(::getuid());
    return "ssh://" + std::string(user != nullptr ? user->pw_name : "root") +
           "@127.0.0.1:" + std::to_string(sshPort) + (root.path() / name).string();
}

PublishFixture::~PublishFixture()
{
    if (sshServer > 0) {
        ::kill(sshServer, SIGTERM);
        ::waitpid(sshServer, nullptr, 0);
        ::setenv("HOME", savedHome.c_str(), 1);
        if (savedSanitizer)
            ::setenv("ASAN_OPTIONS", savedSanitizer->c_str(), 1);
        else
            ::unsetenv("ASAN_OPTIONS");
    }
    if (daemon > 0) {
        ::kill(daemon, SIGTERM); // git passes it on to the daemon it started
        ::waitpid(daemon, nullptr, 0);
    }
    if (daemonErrors >= 0)
        ::close(daemonErrors);
}

std::string PublishFixture::remote(const std::string &name)
{
    const std::filesystem::path repository = root.path() / name;
    if (!std::filesystem::exists(repository)) {
        EXPECT_TRUE(shell("git init -q --bare '" + repository.string() + "'"));
    }
    return "git://127.0.0.1:" + std::to_string(port) + "/" + name;
}

void PublishFixture::writeBank(const std::filesystem::path &dir, std::int16_t word,
                               std::int16_t rest)
{
    std::vector<Bytes> sounds{chunk("0000", samples(4000, word))};
    for (int number = 1; number < 200; ++number)
        sounds.push_back(chunk(std::to_string(1000 + number), samples(4000, rest + number)));
    writeFile(dir / "vorela.awf", bank(sounds));
}

std::string PublishFixture::libraryBytes(const std::filesystem::path &dir)
{
    std::string error;
    const std::unique_ptr<RegistryStore> store =
        RegistryStore::open(DataDirectory(dir).registry(), error);
    const Bytes product = readFile(dir / "vorela.awf");
    const Bytes currency = readFile(dir / "currency.awf");
    return (store ? exportRegText(*store, "HKEY_LOCAL_MACHINE\\Software\\vorela") : error) +
           std::string(product.begin(), product.end()) +
           std::string(currency.begin(), currency.end());
}

std::string PublishFixture::remoteRef(const std::string &name, const std::string &ref)
{
    const std::string command = "git --git-dir '" + (root.path() / name).string() +
                                "' rev-parse -q --verify " + ref + " 2>/dev/null";
    std::string output;
    FILE *pipe = ::popen(command.c_str(), "r");
    char buffer[128];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        output += buffer;
    if (pipe != nullptr)
        ::pclose(pipe);
    return output.empty() ? "" : output.substr(0, 40);
}

std::string PublishFixture::lastLine(const std::string &output)
{
    const std::string trimmed = output.substr(0, output.empty() ? 0 : output.size() - 1);
    return trimmed.substr(trimmed.rfind('\n') + 1);
}

} // namespace vorela::test
