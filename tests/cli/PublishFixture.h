// A remote served by a private `git daemon` on 127.0.0.1, a publishing data directory and three
// notification hosts that trust its key, for the tests of `library publish|pull|hosts`.
#pragma once

#include "ToolProcess.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>

namespace vorela::test {

class PublishFixture : public ::testing::Test {
protected:
    /// Starts the daemon, makes the keys and the data directories.
    void SetUp() override;
    ~PublishFixture() override;

    /// git://127.0.0.1:PORT/name, a bare repository name below root (made when absent).
    [[nodiscard]] std::string remote(const std::string &name);
    /// ssh://USER@127.0.0.1:PORT/ROOT/name through a private sshd started on first use. It lets
    /// in the key of a home made for the test, set as HOME (no agent), where the server is known.
    [[nodiscard]] std::string sshRemote(const std::string &name);
    /// A product bank of 200 sounds: the first word's samples from word, the others' from rest.
    static void writeBank(const std::filesystem::path &dir, std::int16_t word, std::int16_t rest);
    /// The banks and the registry of a data directory, as one text to compare.
    [[nodiscard]] static std::string libraryBytes(const std::filesystem::path &dir);
    /// The id the remote's ref names; empty when it has none.
    [[nodiscard]] std::string remoteRef(const std::string &name, const std::string &ref);
    [[nodiscard]] static std::string lastLine(const std::string &output);
    /// `vorela --data-dir dir arguments`.
    static ToolRun vorela(const std::filesystem::path &dir, const std::string &arguments)
    {
        return runVorela(dir, arguments);
    }

    TempDataDir root; // remotes, keys
    TempDataDir publisher;
    std::array<TempDataDir, 3> hosts;
    std::filesystem::path key;      // trusted by the hosts
    std::filesystem::path otherKey; // trusted by none

    std::filesystem::path home; // the ssh client's, once sshRemote started the server

private:
    pid_t daemon = -1;
    int daemonErrors = -1;
    int port = 0;
    pid_t sshServer = -1;
    int sshPort = 0;
    std::string savedHome;
    std::optional<std::string> savedSanitizer;
};

} // namespace vorela::test
