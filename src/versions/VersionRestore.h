// Putting an earlier version back into the data directory: under the editor's mutex, the template
// locks and the bank writer lock; the registry in one transaction, each bank by the atomic
// replace; and recorded as a new version, so that a restore never loses anything.
#pragma once

#include "platform/DataDirectory.h"
#include "versions/VersionSave.h"

#include <chrono>
#include <string>
#include <string_view>

namespace vorela {

class History;
class RegistryStore;

/// The single-instance mutex of the editor: a restore is refused while an editor is open.
inline constexpr std::string_view EditorMutexName = "VEZEVOREZIDI";

/// Who holds the editor's mutex when a restore starts: nobody (a restore is refused while an
/// editor is open), or the calling thread, which is the editor restoring from its own window.
enum class EditorHolder { Nobody, Caller };

/// How a restore takes its locks: the editor's mutex as editor says, every other lock
/// (templates, bank writer) waited for at most wait; and the message of the version recording
/// it (restoredMessage when empty).
struct RestoreOptions {
    std::chrono::milliseconds wait{};
    EditorHolder editor = EditorHolder::Nobody;
    std::string message{};
};

/// Restores the version named (full or shortened id). The library as it is now is saved first
/// when it differs from the newest version. Refused (nothing changed) when the editor's mutex is
/// not as options.editor says or a lock stays taken for options.wait. A process killed meanwhile
/// leaves a note that finishInterruptedRestore (run by every later restore or save) completes.
[[nodiscard]] VersionOutcome restoreVersion(const DataDirectory &dataDirectory,
                                            RegistryStore &store, History &history,
                                            std::string_view name, const std::string &author,
                                            const RestoreOptions &options);

/// Applies version id, fetched into the history from a remote, as restoreVersion does, and
/// records it so that id comes before the newest version (a later publish from here is then a
/// fast-forward); unchanged when the library already is that version and the history holds it.
[[nodiscard]] VersionOutcome applyFetchedVersion(const DataDirectory &dataDirectory,
                                                 RegistryStore &store, History &history,
                                                 const std::string &id, const std::string &author,
                                                 const RestoreOptions &options);

/// Whether a restore a killed process left half done waits to be finished.
[[nodiscard]] bool restoreInterrupted(const DataDirectory &dataDirectory);

/// Applies version id, fetched into the history from a remote, as restoreVersion does, and
/// records it so that id comes before the newest version (a later publish from here is then a
/// fast-forward); unchanged when the library already is that version and the history holds it.
[[nodiscard]] VersionOutcome applyFetchedVersion(const DataDirectory &dataDirectory,
                                                 RegistryStore &store, History &history,
                                                 const std::string &id, const std::string &author,
                                                 std::chrono::milliseconds lockWait);

/// Completes a restore a killed process left half done, so the library is the restored version
/// whole; ok without change when there was none.
[[nodiscard]] VersionOutcome finishInterruptedRestore(const DataDirectory &dataDirectory,
                                                      RegistryStore &store, History &history,
                                                      const std::string &author,
                                                      const RestoreOptions &options);

} // namespace vorela
