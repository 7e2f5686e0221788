// What `vorela render` was asked for, shared by the one-file and the whole-table forms.
#pragma once

#include "audio/PhoneLine.h"
#include "cli/CliCommands.h"
#include "platform/Clock.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace vorela {

struct RenderOptions {
    std::string task;
    std::string operatorName;
    std::filesystem::path output; // the WAV file, or the folder with --all
    std::optional<std::uint32_t> record;
    std::optional<LineCoding> line;
    bool allRecords = false;
    std::string nameBy; // the column naming the files of --all; empty: the record numbers
    FixedClock clock{LocalDate{}, LocalTime{}}; // set from --today and --now
};

/// render ... --all -o DIR: one WAV file per live record, rendered on every core; 0 when all were
/// written, 2 when some record could not be (each said on stderr), 1 when nothing could be done.
int renderAllRecords(CliContext &context, const RenderOptions &options);

} // namespace vorela
