// A host pulling a 50 MB library in which one word changed, over a git daemon on loopback: fetch,
// signature check, apply and the host's record, as `vorela library pull` does them.
#include "BenchFiles.h"

#include <benchmark/benchmark.h>

#include <csignal>
#include <cstdio>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace vorela {
namespace {

constexpr std::uint32_t ChunkBytes = 16000; // one second of sound
constexpr std::uint32_t ChunkCount = 3200;  // 51.2 MB of sound
constexpr int Port = 39418;

std::string bankBytes(unsigned seed)
{
    std::mt19937 random(seed);
    std::string chunks;
    std::string data(ChunkBytes, '\0');
    for (std::uint32_t number = 1; number <= ChunkCount; ++number) {
        for (char &byte : data)
            byte = static_cast<char>(random() % 64);
        char id[8];
        std::snprintf(id, sizeof id, "%04u", number);
        chunks += bench::riffChunk(id, data);
    }
    return bench::riffWave(1, 8000, chunks);
}

void run(const std::string &command)
{
    if (std::system(command.c_str()) != 0)
        std::abort();
}

void PullOneChangedWord(benchmark::State &state)
{
    const bench::ScratchFolder scratch;
    const std::string root = scratch.path.string();
    const std::string tool = std::string(VORELA_TOOL);
    run("git init -q --bare " + root + "/remote.git && ssh-keygen -q -t ed25519 -N '' -f " + root +
        "/key && " + tool + " --data-dir " + root + "/pub init >/dev/null && " + tool +
        " --data-dir " + root + "/host init >/dev/null && (printf 'p '; cut -d' ' -f1,2 " + root +
        "/key.pub) >" + root + "/host/trusted-publishers");
    const pid_t daemon = fork();
    if (daemon == 0) {
        const std::string base = "--base-path=" + root;
        const std::string port = "--port=" + std::to_string(Port);
        execlp("git", "git", "daemon", "--export-all", "--enable=receive-pack", "--reuseaddr",
               "--listen=127.0.0.1", port.c_str(), base.c_str(), nullptr);
        _exit(127);
    }
    const std::string url = "git://127.0.0.1:" + std::to_string(Port) + "/remote.git";
    const std::string bank = root + "/pub/vorela.awf";
    bench::writeFile(bank, bankBytes(1));
    const std::string publish = tool + " --data-dir " + root + "/pub library publish " + url +
                                " --key " + root + "/key >/dev/null";
    const std::string pull =
        tool + " --data-dir " + root + "/host library pull " + url + " --host h >/dev/null";
    // The daemon is up once the first publish reaches it.
    for (int attempt = 0; std::system((publish + " 2>/dev/null").c_str()) != 0; ++attempt) {
        if (attempt == 1000)
            std::abort();
    }
    run(pull);
    std::mt19937 random(5);
    for (auto _ : state) {
        state.PauseTiming();
        std::string sound(ChunkBytes, '\0');
        for (char &byte : sound)
            byte = static_cast<char>(random() % 64);
        std::FILE *file = std::fopen(bank.c_str(), "r+b");
        if (file == nullptr || std::fseek(file, 12 + 24 + 8 + 1600L * (8 + ChunkBytes), 0) != 0 ||
            std::fwrite(sound.data(), 1, sound.size(), file) != sound.size() ||
            std::fclose(file) != 0)
            std::abort();
        run(publish);
        state.ResumeTiming();
        run(pull);
    }
    kill(daemon, SIGTERM); // git passes it on to the daemon it started
    waitpid(daemon, nullptr, 0);
}

BENCHMARK(PullOneChangedWord)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
} // namespace vorela
