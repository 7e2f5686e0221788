// ssh-keygen -Y as a child process: the payload and the signature go to it as files in a private
// temporary folder, its standard error becomes the reason of a refusal.
#include "versions/SshSignature.h"

#include "platform/ExternalProgram.h"
#include "platform/TemporaryFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace vorela {

// git signs commits in this namespace; a signature made in another never verifies as a commit's.
static constexpr std::string_view Namespace = "git";
static constexpr std::string_view ArmorStart = "-----BEGIN SSH SIGNATURE-----";

// ssh-keygen's run; false with error when it cannot be started at all.
static bool runKeygen(std::vector<std::string> arguments, const std::filesystem::path &input,
                      ProgramRun &run, std::string &error)
{
    arguments.insert(arguments.begin(), {"ssh-keygen", "-Y"});
    run = runProgram(arguments, input);
    if (run.startError == ENOENT) {
        error = "ssh-keygen not found: install openssh-client";
        return false;
    }
    if (run.startError != 0) {
        error = std::string("cannot start ssh-keygen: ") + std::strerror(run.startError);
        return false;
    }
    return true;
}

static std::string reasonOf(const ProgramRun &run)
{
    std::string reason = run.errors;
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    if (!reason.empty())
        return reason;
    return "ssh-keygen " + (run.exitStatus < 0
                                ? std::string("was stopped")
                                : "exited with status " + std::to_string(run.exitStatus));
}

static bool writeWorkFile(const std::filesystem::path &file, std::string_view bytes,
                          std::string &error)
{
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    stream.close();
    if (stream)
        return true;
    error = file.string() + ": cannot be written";
    return false;
}

// Each run's files: the payload and the signature, removed with the folder.
struct WorkFiles {
    TemporaryFolder folder{"vorela-ssh"};
    std::filesystem::path payload = folder.path() / "payload";
    std::filesystem::path signature = folder.path() / "payload.sig";

    [[nodiscard]] bool made(std::string &error) const
    {
        if (!folder.path().empty())
            return true;
        error = std::string("cannot make a temporary folder: ") + std::strerror(errno);
        return false;
    }
};

static bool readWorkFile(const std::filesystem::path &file, std::string &bytes, std::string &error)
{
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream read;
    read << stream.rdbuf();
    if (!stream.is_open() || stream.bad()) {
        error = file.string() + ": cannot be read";
        return false;
    }
    bytes = read.str();
    return true;
}

bool signWithSshKey(std::string_view payload, const std::filesystem::path &keyFile,
                    std::string &signature, std::string &error)
{
    signature.clear();
    const WorkFiles work;
    if (!work.made(error) || !writeWorkFile(work.payload, payload, error))
        return false;
    // The payload goes as a file and standard input stays empty: for a key with a passphrase,
    // ssh-keygen reads the passphrase from a standard input that is no terminal.
    ProgramRun run;
    if (!runKeygen(
            {"sign", "-n", std::string(Namespace), "-f", keyFile.string(), work.payload.string()},
            {}, run, error))
        return false;
    if (!run.succeeded()) {
        error = keyFile.string() + ": cannot sign with this key: " + reasonOf(run);
        if (run.errors.find("passphrase") != std::string::npos)
            error +=
                " (a key with a passphrase signs from ssh-agent: ssh-add " + keyFile.string() + ")";
        return false;
    }
    if (!readWorkFile(work.signature, signature, error))
        return false;
    if (signature.rfind(ArmorStart, 0) == 0)
        return true;
    error = "ssh-keygen wrote no SSH signature for " + keyFile.string();
    signature.clear();
    return false;
}

// Whether file can be read: open() alone accepts a folder.
static bool isReadable(const std::filesystem::path &file, std::string &error)
{
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    char byte = 0;
    const bool readable = descriptor >= 0 && ::read(descriptor, &byte, 1) >= 0;
    const int failure = errno;
    if (descriptor >= 0)
        ::close(descriptor);
    if (!readable)
        error = file.string() + ": the allowed signers cannot be read: " + std::strerror(failure);
    return readable;
}

static std::vector<std::string> linesOf(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

// The verdict on a signature whose key the allowed signers list under principals.
static bool checkListedKey(const WorkFiles &work, const std::vector<std::string> &principals,
                           const std::filesystem::path &allowedSigners, SignatureCheck &check,
                           std::string &error)
{
    std::string reason;
    for (const std::string &principal : principals) {
        ProgramRun run;
        if (!runKeygen({"verify", "-f", allowedSigners.string(), "-I", principal, "-n",
                        std::string(Namespace), "-s", work.signature.string()},
                       work.payload, run, error))
            return false;
        if (run.succeeded()) {
            check.verdict = SignatureVerdict::Trusted;
            check.signer = principal;
            return true;
        }
        reason = reasonOf(run);
    }
    check.verdict = SignatureVerdict::Invalid;
    check.detail = "the signature does not match what was signed (changed after signing, or "
                   "not made by the listed key): " +
                   reason;
    return true;
}

// The verdict on a signature whose key the allowed signers do not list: a sound signature is
// untrusted, a broken one invalid.
static bool checkUnlistedKey(const WorkFiles &work, const std::filesystem::path &allowedSigners,
                             SignatureCheck &check, std::string &error)
{
    ProgramRun run;
    if (!runKeygen(
            {"check-novalidate", "-n", std::string(Namespace), "-s", work.signature.string()},
            work.payload, run, error))
        return false;
    if (!run.succeeded()) {
        check.verdict = SignatureVerdict::Invalid;
        check.detail =
            "the signature is damaged or does not match what was signed: " + reasonOf(run);
        return true;
    }
    // "Good "git" signature with ED25519 key SHA256:..." names the key for the operator.
    const std::size_t with = run.output.find(" with ");
    const std::size_t end = run.output.find('\n', with);
    const std::string key =
        with == std::string::npos
            ? std::string("a key")
            : run.output.substr(with + 6,
                                end == std::string::npos ? std::string::npos : end - with - 6);
    check.verdict = SignatureVerdict::Untrusted;
    check.detail = "signed by " + key + ", which " + allowedSigners.string() + " does not list";
    return true;
}

bool checkSshSignature(std::string_view payload, std::string_view signature,
                       const std::filesystem::path &allowedSigners, SignatureCheck &check,
                       std::string &error)
{
    check = {};
    if (!isReadable(allowedSigners, error))
        return false;
    if (signature.empty()) {
        check.verdict = SignatureVerdict::Unsigned;
        check.detail = "not signed";
        return true;
    }
    const WorkFiles work;
    if (!work.made(error) || !writeWorkFile(work.payload, payload, error) ||
        !writeWorkFile(work.signature, signature, error))
        return false;
    ProgramRun found;
    if (!runKeygen(
            {"find-principals", "-f", allowedSigners.string(), "-s", work.signature.string()}, {},
            found, error))
        return false;
    const std::vector<std::string> principals = linesOf(found.output);
    if (found.succeeded() && !principals.empty())
        return checkListedKey(work, principals, allowedSigners, check, error);
    return checkUnlistedKey(work, allowedSigners, check, error);
}

} // namespace vorela
