// The session every `library` command that reads or writes the library opens.
#include "cli/LibrarySession.h"

#include "cli/CliStore.h"
#include "versions/VersionRestore.h"

#include <ctime>
#include <iostream>

namespace vorela {

std::optional<LibrarySession> openLibrarySession(const CliContext &context,
                                                 std::chrono::milliseconds wait)
{
    LibrarySession session;
    std::string error;
    session.history = History::open(context.dataDirectory, error);
    if (!session.history) {
        sayCliFailure(error);
        return std::nullopt;
    }
    session.store = openCliStore(context);
    if (!session.store)
        return std::nullopt;
    const VersionOutcome finished = finishInterruptedRestore(
        context.dataDirectory, *session.store, *session.history, loginName(), {.wait = wait});
    if (!finished.ok()) {
        sayCliFailure(finished.error);
        return std::nullopt;
    }
    if (!finished.id.empty())
        std::cerr << "vorela: finished an interrupted restore as version " << finished.id << '\n';
    return session;
}

bool keepVersionBefore(const CliContext &context, const std::string &message,
                       const std::string &what)
{
    const std::optional<LibrarySession> session =
        openLibrarySession(context, std::chrono::seconds(5));
    const VersionOutcome outcome = session
                                       ? saveVersion(context.dataDirectory, *session->store,
                                                     *session->history, loginName(), message)
                                       : VersionOutcome{.error = "the history cannot be opened"};
    if (outcome.ok())
        return true;
    sayCliFailure("no version could be kept before " + what + " (" + outcome.error +
                  "), so nothing was changed");
    return false;
}

std::string timeText(std::int64_t seconds, int offsetMinutes)
{
    const std::time_t shifted = static_cast<std::time_t>(seconds + offsetMinutes * 60);
    std::tm parts{};
    gmtime_r(&shifted, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &parts);
    return text;
}

} // namespace vorela
