// What stops a sound from loading and how the operator is told: the numbered texts he knows from
// reading the bank, and for a WAV file he chose, a text naming the file and what is wrong with it.
#pragma once

#include "audio/RecordingConversion.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace vorela {

/// The steps of loading a sound that can fail, in the order they run.
enum class LoadFault {
    Open,
    NoForm,   // no "RIFF" "WAVE" form at the start
    NoFormat, // no "fmt " chunk in the form
    FormatMemory,
    FormatRead,  // the "fmt " body is cut short
    WrongFormat, // not the bank format (only when the format is checked)
    NoChunk,
    EmptyChunk, // not one whole sample
    SoundMemory,
    ChunkRead, // the sound is cut short
};

/// A message box text; an empty caption stands for the calling window's title.
struct LoadMessage {
    std::string caption;
    std::string text;
};

/// pattern with %1, %2, ... replaced by values in order.
[[nodiscard]] std::string fillText(std::string_view pattern,
                                   std::initializer_list<std::string_view> values);

/// The message of a fault in reading the product bank.
[[nodiscard]] LoadMessage bankLoadMessage(LoadFault fault);

/// The message of a fault in a WAV file the operator chose: it names the file and says what is
/// wrong with it; formatRecord is the file's "fmt " body as read, for a WrongFormat fault.
[[nodiscard]] LoadMessage importLoadMessage(LoadFault fault, const std::filesystem::path &file,
                                            std::span<const std::uint8_t> formatRecord);

/// The message of a recording that could not be converted to the bank format.
[[nodiscard]] LoadMessage conversionLoadMessage(ConversionFault fault,
                                                const std::filesystem::path &file);

/// The refusal of a file bound for the greeting phrase that is not in the bank format (fault is
/// NoForm or WrongFormat): why, and that this phrase is never converted.
[[nodiscard]] LoadMessage greetingLoadMessage(LoadFault fault, const std::filesystem::path &file,
                                              std::span<const std::uint8_t> formatRecord);

/// The one line that tells the operator what a recording was converted from and how many of its
/// samples were clipped.
[[nodiscard]] std::string conversionNote(const std::filesystem::path &file,
                                         const RecordingFormat &source);

} // namespace vorela
