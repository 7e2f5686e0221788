// The versions the editor keeps by itself: one before every step that destroys (a template
// cleared, a folder or lexeme deleted, a version restored) and one at close.
#pragma once

#include <string>

namespace vorela {

struct EditorSession;
struct VersionOutcome;

class VersionKeeper {
public:
    explicit VersionKeeper(const EditorSession &session);

    /// Saves the library as a version named message ("Перед очисткой шаблона ..."). True to go
    /// on with the step: saved, nothing changed since the newest version, or the save failed and
    /// the operator, told why, chose to go on without a version.
    [[nodiscard]] bool saveBefore(const std::string &message) const;
    /// A version when anything changed since the newest; a failure is told, the window still
    /// closes.
    void saveAtClose() const;

private:
    [[nodiscard]] VersionOutcome save(const std::string &message) const;

    const EditorSession &session;
};

} // namespace vorela
