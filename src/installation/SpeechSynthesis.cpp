// Child processes for synthesis: each request runs espeak-ng, then sox; a small scheduler keeps
// a fixed number of children busy and reaps them with waitpid.
#include "installation/SpeechSynthesis.h"

#include "platform/ExternalProgram.h"
#include "soundbank/LexemeReader.h"

#include <sys/wait.h>

#include <map>
#include <optional>

namespace vorela {

namespace {

enum class Stage { Speak, Convert };

struct Running {
    std::size_t request;
    Stage stage;
};

class Scheduler {
public:
    Scheduler(const std::vector<SynthesisRequest> &requestList, std::filesystem::path folder)
        : requests(requestList), work(std::move(folder))
    {
        result.sounds.resize(requests.size());
    }

    SynthesisResult run(unsigned parallel)
    {
        std::size_t next = 0;
        while (result.ok() && (next < requests.size() || !running.empty())) {
            while (result.ok() && next < requests.size() && running.size() < parallel)
                start(next++, Stage::Speak);
            if (!running.empty())
                reapOne();
        }
        while (!running.empty())
            reapOne(); // after a failure: let the started children end
        return std::move(result);
    }

private:
    std::filesystem::path file(std::size_t request, const char *suffix) const
    {
        return work / (std::to_string(request) + suffix);
    }

    void start(std::size_t request, Stage stage)
    {
        const SynthesisRequest &wanted = requests[request];
        if (stage == Stage::Speak && wanted.text.empty()) {
            result.sounds[request].assign(PauseSamples, 0);
            return;
        }
        const std::vector<std::string> arguments =
            stage == Stage::Speak
                ? std::vector<std::string>{"espeak-ng",
                                           "-v",
                                           wanted.voice,
                                           "-s",
                                           "150",
                                           "-w",
                                           file(request, ".speech.wav").string(),
                                           "--",
                                           wanted.text}
                : std::vector<std::string>{"sox", file(request, ".speech.wav").string(), "-r",
                                           "8000", "-c", "1", "-b", "16", "-e", "signed-integer",
                                           file(request, ".wav").string(),
                                           // trim the silence before and after the word
                                           "silence", "1", "0.02", "0.5%", "reverse", "silence",
                                           "1", "0.02", "0.5%", "reverse", "norm", "-1"};
        int startError = 0;
        const std::optional<pid_t> pid = startProgram(arguments, startError);
        if (!pid) {
            result.error = "cannot start " + arguments[0] + " (is it installed?)";
            return;
        }
        running[*pid] = Running{request, stage};
    }

    void reapOne()
    {
        int status = 0;
        const pid_t pid = waitpid(-1, &status, 0);
        const auto found = running.find(pid);
        if (pid < 0 || found == running.end()) {
            if (pid < 0)
                running.clear();
            return;
        }
        const Running done = found->second;
        running.erase(found);
        if (!result.ok())
            return;
        const bool succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        const char *program = done.stage == Stage::Speak ? "espeak-ng" : "sox";
        if (!succeeded) {
            result.error =
                std::string(program) + " failed for \"" + requests[done.request].text + "\"";
            return;
        }
        if (done.stage == Stage::Speak) {
            start(done.request, Stage::Convert);
            return;
        }
        LexemeSound sound = readLexeme(file(done.request, ".wav"), "data", FormatCheck::BankFormat);
        if (!sound.ok() || sound.samples.empty()) {
            result.error = "sox gave no usable sound for \"" + requests[done.request].text + "\"";
            return;
        }
        result.sounds[done.request] = std::move(sound.samples);
    }

    const std::vector<SynthesisRequest> &requests;
    std::filesystem::path work;
    std::map<pid_t, Running> running;
    SynthesisResult result;
};

} // namespace

SynthesisResult synthesize(const std::vector<SynthesisRequest> &requests,
                           const std::filesystem::path &workFolder, unsigned parallel)
{
    Scheduler scheduler(requests, workFolder);
    return scheduler.run(parallel == 0 ? 1 : parallel);
}

} // namespace vorela
