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

/// A lexeme with a sound: its chunk id and its text.
struct LexemeName {
    std::string chunkId;
    std::string text;
};

enum class ImportOutcome { Imported, Converted, Refused };

/// What became of one file: the lexeme's chunk id (empty when none was found) and, for a
/// converted or refused file, the operator's line saying what was converted or why it was refused.
struct FileImport {
    std::string fileName;
    std::string chunkId;
    ImportOutcome outcome = ImportOutcome::Refused;
    std::string detail;
};

/// The report of every file, in name order, and the sounds that loaded, ready for SaveSounds.
struct FolderImportPlan {
    std::vector<FileImport> files;
    std::vector<SoundReplacement> sounds;
};

/// Every lexeme below root whose chunk names a sound (not a folder, table or function entry).
[[nodiscard]] std::vector<LexemeName> lexemeNames(const LexItem &root);

/// Loads every file of folder whose name (without extension) is the chunk id of one of lexemes or
/// the text of exactly one (letter case aside). Refusals are reported in the plan, never shown;
/// greetingGate decides, silently, on a greeting phrase. Subfolders and hidden files are passed
/// over; a folder that cannot be listed gives no plan.
[[nodiscard]] std::optional<FolderImportPlan> loadFolder(const std::filesystem::path &folder,
                                                         std::span<const LexemeName> lexemes,
                                                         const DataDirectory &dataDirectory,
                                                         const SoundGate &greetingGate);

} // namespace vorela
