// `vorela library publish|pull|hosts`: one workstation publishes signed versions to a remote, the
// notification hosts pull them and record there which version each runs.
#include "cli/CliOptions.h"
#include "cli/CliTree.h"
#include "cli/LibrarySession.h"
#include "versions/HostRecords.h"
#include "versions/Publish.h"
#include "versions/Pull.h"
#include "versions/Remote.h"

#include <unistd.h>

#include <chrono>
#include <climits>
#include <iostream>

namespace vorela {

namespace {

struct PublishArguments {
    std::string remote;
    std::string key;
};

struct PullArguments {
    std::string remote;
    std::string host;
    std::chrono::milliseconds wait{};
};

struct HostsArguments {
    std::string remote;
};

std::string hostName()
{
    char name[HOST_NAME_MAX + 1] = {};
    return ::gethostname(name, sizeof name - 1) == 0 ? name : "";
}

} // namespace

static int publishCommand(CliContext &context, const PublishArguments &arguments)
{
    const std::optional<LibrarySession> session =
        openLibrarySession(context, std::chrono::seconds(5));
    if (!session)
        return 1;
    const VersionOutcome outcome = publishVersion(
        context.dataDirectory, *session->store, *session->history, arguments.remote,
        arguments.key.empty() ? usualSshKey() : std::filesystem::path(arguments.key), loginName());
    if (!outcome.ok())
        return cliFailure(outcome.error);
    if (outcome.unchanged)
        std::cout << arguments.remote << " already has the newest version\n";
    std::cout << outcome.id << '\n';
    return 0;
}

static int pullCommand(CliContext &context, const PullArguments &arguments)
{
    const std::optional<LibrarySession> session = openLibrarySession(context, arguments.wait);
    if (!session)
        return 1;
    const std::string host = arguments.host.empty() ? hostName() : arguments.host;
    const PullOutcome outcome =
        pullVersion(context.dataDirectory, *session->store, *session->history, arguments.remote,
                    host, loginName(), arguments.wait);
    if (!outcome.ok())
        return cliFailure(outcome.error);
    if (outcome.unchanged)
        std::cout << "the library already is the published version\n";
    else
        std::cout << "applied the published version as version " << outcome.id << '\n';
    std::cout << "recorded on " << arguments.remote << ": " << host << " runs\n"
              << outcome.published << '\n';
    return 0;
}

static int hostsCommand(CliContext & /*context*/, const HostsArguments &arguments)
{
    std::vector<HostRecord> records;
    std::optional<std::string> published;
    std::string error;
    if (!readHostRecords(arguments.remote, records, published, error))
        return cliFailure(error);
    for (const HostRecord &record : records)
        std::cout << record.host << '\t' << record.version << '\t' << timeText(record.appliedAt, 0)
                  << '\t' << (record.version == published ? "current" : "behind") << '\n';
    return 0;
}

static void addRemoteArgument(CLI::App &command, std::string &remote)
{
    command.add_option("REMOTE", remote, "a path, file://, ssh:// or git://")->required();
}

void addLibraryRemoteCommands(CLI::App &library, CliAction &action)
{
    const auto [publish, publishArguments] = addCliCommand<PublishArguments>(
        library, action, "publish",
        "the newest version, signed, to REMOTE's main for the hosts; prints its id",
        publishCommand);
    addRemoteArgument(publish, publishArguments.remote);
    publish.add_option("--key", publishArguments.key, "the private SSH key (~/.ssh/id_ed25519)")
        ->type_name("FILE");
    const auto [pull, pullArguments] = addCliCommand<PullArguments>(
        library, action, "pull",
        "the version published on REMOTE, when a trusted publisher signed it; recorded there",
        pullCommand);
    addRemoteArgument(pull, pullArguments.remote);
    pull.add_option("--host", pullArguments.host, "this host's name (the system's host name)")
        ->type_name("NAME");
    addWaitOption(pull, pullArguments.wait);
    const auto [hosts, hostsArguments] = addCliCommand<HostsArguments>(
        library, action, "hosts", "which version each host runs: HOST VERSION APPLIED-AT state",
        hostsCommand);
    addRemoteArgument(hosts, hostsArguments.remote);
}

} // namespace vorela
