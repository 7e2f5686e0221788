// A folder of recordings read for many lexemes at once: each file is matched to a lexeme by its
// name (a chunk id, or the lexeme's text), loaded and converted, so that one rewrite stores all.
#pragma once

#include "platform/DataDirectory.h"
#include "soundbank/SoundBank.h"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace vorela {

class LexItem;

/// An entry of the lexeme tree with a chunk: its chunk id, its text and whether that chunk is a
/// recording of its own (a function entry, the boundary or a table speaks none).
struct LexemeName {
    std::string chunkId;
    std::string text;
    bool ownSound = true;
};

enum class ImportOutcome { Imported, Converted, Refused, Skipped };

/// What became of one file or subfolder: the lexeme's chunk id (empty when none was found) and,
/// for a converted, refused or skipped one, the operator's line saying what was converted or why
/// it was not taken.
struct FileImport {
    std::string fileName;
    std::string chunkId;
    ImportOutcome outcome = ImportOutcome::Refused;
    std::string detail;
};

/// The report of every file in name order, then of every subfolder, and the sounds that loaded,
/// ready for SaveSounds.
struct FolderImportPlan {
    std::vector<FileImport> files;
    std::vector<SoundReplacement> sounds;
};

/// Every entry below root with a chunk (not a folder), those without a sound of their own too.
[[nodiscard]] std::vector<LexemeName> lexemeNames(const LexItem &root);

/// Loads every file of folder whose name (without extension) is the chunk id of one of lexemes
/// with a sound of its own or the text of exactly one (letter case aside). Refusals are reported
/// in the plan, never shown; greetingGate decides, silently, on a greeting phrase. Subfolders are
/// reported as skipped, hidden files passed over; a folder that cannot be listed gives no plan.
[[nodiscard]] std::optional<FolderImportPlan> loadFolder(const std::filesystem::path &folder,
                                                         std::span<const LexemeName> lexemes,
                                                         const DataDirectory &dataDirectory,
                                                         const SoundGate &greetingGate);

} // namespace vorela
