// The editor's changes of the shared data, as a deterministic series of steps: sounds saved,
// replaced and removed in the bank, lexemes and template items added, moved and removed.
// A model of the expected state lets a test tell what a killed or racing editor must have left.
#pragma once

#include "platform/RegistryStore.h"
#include "soundbank/SoundBank.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"

#include <map>
#include <memory>
#include <string>

namespace vorela::test {

inline constexpr std::string_view WorkloadTask = "T";
inline constexpr std::string_view WorkloadOperator = "O";
/// The lexeme folder the workload changes, and the template item it never removes.
inline constexpr std::string_view WorkloadFolder = "1";
inline constexpr std::string_view KeptItem = "0001";
/// Registry paths of the task, its operator and the template below HKEY_LOCAL_MACHINE.
[[nodiscard]] std::string workloadTaskPath();
[[nodiscard]] std::string workloadOperatorPath();
[[nodiscard]] std::string workloadTemplatePath();

enum class StepKind {
    SaveSound,
    RemoveSound,
    AppendLexeme,
    InsertLexeme,
    RemoveLexeme,
    InsertItem,
    RemoveItem,
    MoveItem,
    UpdateItem,
    Reload,
};

struct WorkloadStep {
    unsigned number = 0;
    StepKind kind = StepKind::Reload;
    unsigned chunk = 0; // the chunk index of a bank step
};

/// Step `number` of the series; the same on every call.
[[nodiscard]] WorkloadStep workloadStep(unsigned number);

/// What the shared data holds after a number of steps: every chunk's version (absent = removed)
/// and the counts of lexemes in the folder and of items in the template.
struct WorkloadModel {
    std::map<unsigned, unsigned> versions;
    std::size_t lexemes = 0;
    std::size_t items = 0;

    /// The state the fixture writes.
    [[nodiscard]] static WorkloadModel initial();
    void apply(const WorkloadStep &step);
    friend bool operator==(const WorkloadModel &, const WorkloadModel &) = default;
};
[[nodiscard]] std::string describe(const WorkloadModel &model);

/// Writes the initial state of WorkloadModel::initial() into dir: bank, lexemes, task, template.
void writeWorkloadFixture(const TempDataDir &dir);

/// Reads the state back with independent walks and checks every chain; empty on success,
/// otherwise what is wrong. The model is filled from what was found.
[[nodiscard]] std::string readWorkloadState(const TempDataDir &dir, WorkloadModel &model);

/// Runs steps as the editor would, in its own process, through the editor's own objects.
class EditorWorkload {
public:
    explicit EditorWorkload(const TempDataDir &dir);
    /// False when an operation that must succeed failed.
    [[nodiscard]] bool run(const WorkloadStep &step);

private:
    [[nodiscard]] bool runTemplateStep(const WorkloadStep &step);
    [[nodiscard]] bool runLexemeStep(const WorkloadStep &step);

    DataDirectory directory;
    ScriptedUiServices ui;
    std::unique_ptr<RegistryStore> store;
    std::unique_ptr<LexItem> root;
    std::unique_ptr<Aliases> tasks;
    SoundBank bank;
};

} // namespace vorela::test
