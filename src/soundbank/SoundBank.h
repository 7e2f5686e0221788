// The three operations on one lexeme's sound in the product bank: load (from the bank or a WAV
// file), save and remove. Rewrites hold the bank writer lock from reading the old bank to the
// atomic replace through "vorela.tmp"; every failure is shown through UiServices with the
// window's title as caption.
#pragma once

#include "audio/RecordingConversion.h"
#include "platform/DataDirectory.h"
#include "soundbank/BankWriterLock.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

class AtomicFileReplace;
class FileFaults;
class UiServices;
enum class LoadFault;

/// A sound as read from a bank chunk, from the "data" chunk of a WAV file or converted from a
/// recording in another format.
struct LoadedSound {
    std::vector<std::uint8_t> formatRecord; // the "fmt " body as read; the bank's when converted
    std::vector<std::int16_t> samples;      // 16-bit mono, 8000 per second
    std::optional<RecordingFormat> convertedFrom; // what a converted recording was
};

/// One sound to store: in place of the chunk with that id, or as a new last chunk.
struct SoundReplacement {
    std::string chunkId;
    std::vector<std::int16_t> samples;
};

/// Decides whether a greeting phrase taken from a WAV file may be stored; it shows its own refusal.
using SoundGate = std::function<bool(std::span<const std::int16_t> samples)>;

class SoundBank {
public:
    /// Operations on the product bank of dataDirectory; faults is a test hook for file failures.
    SoundBank(DataDirectory dataDirectory, UiServices &ui, FileFaults *faults = nullptr);

    /// The caption of the messages: the calling window's current title.
    void setWindowTitle(std::string title) { windowTitle = std::move(title); }
    /// The check of a greeting phrase imported from a WAV file. Without one, no such sound is
    /// taken.
    void setGreetingGate(SoundGate gate) { greetingGate = std::move(gate); }
    /// How long a rewrite waits for another writer of the bank before it gives up, naming it.
    void setWriterWait(std::chrono::milliseconds wait) { writerWait = wait; }

    /// Reads chunk chunkId of fileName into sound; with checkFormat the file must be in the bank
    /// format, except that a recording the operator chose ("data" of a file other than the bank)
    /// in another format is converted to it. The "data" chunk of a WAV file bound for the
    /// greeting phrase (targetChunkId) is never converted and passes the greeting gate.
    /// True = loaded; false after one message, and sound is left as it was.
    /// The messages about the product bank are its numbered ones; those about any other file
    /// name it and say what is wrong with it.
    [[nodiscard]] bool LoadSound(const std::filesystem::path &fileName, std::string_view chunkId,
                                 bool checkFormat, LoadedSound &sound,
                                 std::string_view targetChunkId = {});

    /// Stores the sound under chunkId, in place of the chunk with that id or as a new last chunk.
    /// Returns true when it FAILED (after its message; the bank is then as it was). A bank that
    /// was replaced but whose folder could not be synced counts as saved, after a warning.
    [[nodiscard]] bool SaveSound(std::string_view chunkId, std::span<const std::int16_t> sound);

    /// Stores every sound in one rewrite of the bank. True when saved (NOTE: unlike SaveSound,
    /// whose inverted result is the old signature); false after its message, the bank as it was.
    /// A chunk id given twice is refused.
    [[nodiscard]] bool SaveSounds(std::span<const SoundReplacement> sounds);

    /// Removes the chunk chunkId; an id the bank lacks leaves the bank untouched and succeeds.
    /// Returns true when it FAILED (the bank is then as it was); as SaveSound after the rename.
    [[nodiscard]] bool RemoveSound(std::string_view chunkId);

private:
    /// A sound bound for the bank, seen where its owner keeps it.
    struct NewChunk {
        std::string_view chunkId;
        std::span<const std::int16_t> samples;
    };

    /// SaveSounds over sounds seen in place; true when saved.
    [[nodiscard]] bool storeChunks(std::span<const NewChunk> sounds);
    [[nodiscard]] bool isProductBank(const std::filesystem::path &fileName) const;
    /// LoadSound of a chosen recording that is not in the bank format (fault NoForm or
    /// WrongFormat from reading it as such, with the format record as far as it was read).
    [[nodiscard]] bool loadConverted(const std::filesystem::path &fileName, LoadFault fault,
                                     std::span<const std::uint8_t> formatRecord,
                                     std::string_view targetChunkId, LoadedSound &sound);
    [[nodiscard]] bool takeGreeting(std::string_view chunkId, std::string_view targetChunkId,
                                    std::span<const std::int16_t> samples) const;
    /// Names whoever kept the bank writer lock from writer.
    void reportBusy(const BankWriterLock &writer);
    void warn(const std::string &caption, std::string_view text);
    void inform(const std::string &caption, std::string_view text);
    /// Commits, asking Retry or Cancel while the old bank is still in place; true once the new
    /// bank is in place.
    [[nodiscard]] bool commitWithRetry(AtomicFileReplace &replace, const std::string &caption);
    /// After a failed commit: true, with a warning, when the new bank is in place nevertheless.
    [[nodiscard]] bool acceptedAfterRename(const AtomicFileReplace &replace,
                                           const std::string &caption);

    DataDirectory directory;
    UiServices &ui;
    FileFaults *faults;
    std::string windowTitle;
    SoundGate greetingGate;
    std::chrono::milliseconds writerWait = BankWriterLock::DefaultWait;
};

} // namespace vorela
