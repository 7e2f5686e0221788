// Loading, saving and removing one lexeme's sound, with the messages the operator knows.
#include "soundbank/SoundBank.h"

#include "platform/AtomicFileReplace.h"
#include "platform/BinaryFile.h"
#include "platform/UiServices.h"
#include "soundbank/BankSplice.h"
#include "soundbank/LoadMessages.h"
#include "soundbank/RiffChunks.h"
#include "soundbank/WaveFormat.h"
#include "stores/ChunkIds.h"

#include <algorithm>
#include <bit>
#include <new>
#include <optional>

namespace vorela {

static_assert(std::endian::native == std::endian::little,
              "samples are stored little-endian and read in place");

// Texts of saving (information icon) and of the failed replace of the bank (error icon).
static constexpr std::string_view SaveOpenText = "Ошибка сохранения файла (0001)";
static constexpr std::string_view SaveReplaceBuildText = "Ошибка сохранения файла (0002)";
static constexpr std::string_view SaveAddBuildText = "Ошибка сохранения файла (0003)";
static constexpr std::string_view SaveRetryText =
    "Ошибка сохранения файла!\r\nВозможно в данный момент происходит оповещение абонента. \r\n"
    "Для успешного завершения операции приостановите выполнение заданий в приложении "
    "\"ВОРЕЛА\" и повторите попытку.\r\n";

// Another writer kept the bank for the whole wait, or its lock cannot be taken (warning icon).
static constexpr std::string_view BankBusyText =
    "Банк звуков сейчас изменяет другая программа: %1 (процесс %2). Изменение не сохранено; "
    "повторите попытку, когда она закончит.";
static constexpr std::string_view BankLockText =
    "Банк звуков занят или недоступен для записи, изменение не сохранено.\r\n%1";

// Two sounds of one batch under the same id (information icon).
static constexpr std::string_view RepeatedIdText =
    "Звук «%1» указан дважды, поэтому ничего не сохранено.";

// Texts of removing (information icon, no caption).
static constexpr std::string_view RemoveOpenText = "mmioOpen1";
static constexpr std::string_view RemoveBuildText = "mmioOpen2";

// The new bank is in place but its folder's fsync failed (exclamation icon).
static constexpr std::string_view NotConfirmedText =
    "Банк звуков изменён, но запись на диск не подтверждена: при сбое питания изменение может "
    "пропасть.";

// The size a recorder that writes as it goes leaves in a WAV header it cannot go back to.
static constexpr std::uint32_t StreamingChunkSize = 0xFFFFFFFF;

namespace {

/// What a rewrite keeps of the old bank: the chunks after "fmt " up to the end of the last whole
/// one. A torn chunk and whatever follows it are dropped, as `bank list` leaves them out.
struct BankChunks {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
};

} // namespace

static std::optional<LoadFault> readFormatRecord(const BinaryFile &file, const WaveLayout &layout,
                                                 std::uint64_t fileSize, bool checkFormat,
                                                 std::vector<std::uint8_t> &record)
{
    // A size from the file is checked against the file before anything is allocated for it.
    if (layout.format.dataEnd() > fileSize)
        return LoadFault::FormatRead;
    try {
        record.assign(layout.format.size, 0);
    } catch (const std::bad_alloc &) {
        return LoadFault::FormatMemory;
    }
    if (!file.readAt(layout.format.dataOffset(), record))
        return LoadFault::FormatRead;
    if (checkFormat && !WaveFormat::fromRecord(record).isBankFormat())
        return LoadFault::WrongFormat;
    return std::nullopt;
}

/// The chunk id of the file, when it holds a sample and lies whole inside the form.
static std::optional<LoadFault> locateSamples(const BinaryFile &file, const WaveLayout &layout,
                                              const ChunkId &id, ChunkHeader &chunk)
{
    const std::optional<ChunkHeader> found =
        findChunk(file, id, layout.dataStart(), layout.form.end);
    if (!found)
        return LoadFault::NoChunk;
    chunk = *found;
    // Recorders that write as they go leave the largest size in the WAV header, never the real
    // one: such a sound runs to the end of the form.
    if (chunk.size == StreamingChunkSize && id == ChunkId::fromText(WavDataChunkId))
        chunk.size = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(layout.form.end - chunk.dataOffset(), StreamingChunkSize));
    // Only whole samples are sound; a chunk without one is as empty as a chunk of size 0.
    if (chunk.size / sizeof(std::int16_t) == 0)
        return LoadFault::EmptyChunk;
    // A chunk running past the form is a torn write, whether the file or the RIFF size ends first.
    if (chunk.dataEnd() > layout.form.end)
        return LoadFault::ChunkRead;
    return std::nullopt;
}

static std::optional<LoadFault> readSamples(const BinaryFile &file, const WaveLayout &layout,
                                            const ChunkId &id, std::vector<std::int16_t> &samples)
{
    ChunkHeader chunk;
    if (const std::optional<LoadFault> fault = locateSamples(file, layout, id, chunk))
        return fault;
    const std::size_t sampleCount = chunk.size / sizeof(std::int16_t);
    try {
        samples.assign(sampleCount, 0);
    } catch (const std::bad_alloc &) {
        return LoadFault::SoundMemory;
    }
    const std::span<std::uint8_t> bytes(reinterpret_cast<std::uint8_t *>(samples.data()),
                                        samples.size() * sizeof(std::int16_t));
    if (!file.readAt(chunk.dataOffset(), bytes))
        return LoadFault::ChunkRead;
    return std::nullopt;
}

/// Whether the samples are read or only their chunk is checked to lie whole in the file.
enum class SampleReading { Read, CheckOnly };

/// Reads chunkId of the file into sound; the file is closed again on return.
static std::optional<LoadFault> readSound(const std::filesystem::path &fileName,
                                          std::string_view chunkId, bool checkFormat,
                                          LoadedSound &sound,
                                          SampleReading reading = SampleReading::Read)
{
    BinaryFile file;
    if (!file.open(fileName, BinaryFile::Access::Read))
        return LoadFault::Open;
    WaveLayout layout;
    WaveLayoutError error{};
    const std::optional<std::uint64_t> fileSize = file.size();
    if (!fileSize || !readWaveLayout(file, layout, error))
        return error == WaveLayoutError::NoFormat ? LoadFault::NoFormat : LoadFault::NoForm;
    const std::optional<LoadFault> fault =
        readFormatRecord(file, layout, *fileSize, checkFormat, sound.formatRecord);
    if (fault)
        return fault;
    const ChunkId id = ChunkId::fromText(chunkId);
    ChunkHeader chunk;
    if (reading == SampleReading::CheckOnly)
        return locateSamples(file, layout, id, chunk);
    return readSamples(file, layout, id, sound.samples);
}

/// Opens the product bank for a rewrite: a RIFF "WAVE" form whose "fmt " chunk is whole.
static std::optional<BankChunks> openBank(const std::filesystem::path &path, BinaryFile &bank)
{
    WaveLayout layout;
    WaveLayoutError error{};
    if (!bank.open(path, BinaryFile::Access::Read) || !readWaveLayout(bank, layout, error) ||
        layout.dataStart() > layout.form.end)
        return std::nullopt;
    return BankChunks{layout.dataStart(),
                      endOfWholeChunks(bank, layout.dataStart(), layout.form.end)};
}

SoundBank::SoundBank(DataDirectory dataDirectory, UiServices &uiServices, FileFaults *fileFaults)
    : directory(std::move(dataDirectory)), ui(uiServices), faults(fileFaults)
{
}

static bool isGreeting(std::string_view chunkId)
{
    return !chunkId.empty() && ChunkId::fromText(chunkId) == ChunkId::fromText(GreetingChunkId);
}

bool SoundBank::LoadSound(const std::filesystem::path &fileName, std::string_view chunkId,
                          bool checkFormat, LoadedSound &sound, std::string_view targetChunkId)
{
    LoadedSound loaded;
    const std::optional<LoadFault> fault = readSound(fileName, chunkId, checkFormat, loaded);
    const bool chosenRecording = checkFormat && !isProductBank(fileName) &&
                                 ChunkId::fromText(chunkId) == ChunkId::fromText(WavDataChunkId);
    if (fault && chosenRecording &&
        (*fault == LoadFault::NoForm || *fault == LoadFault::WrongFormat))
        return loadConverted(fileName, *fault, loaded.formatRecord, targetChunkId, sound);
    if (fault) {
        const LoadMessage message = isProductBank(fileName)
                                        ? bankLoadMessage(*fault)
                                        : importLoadMessage(*fault, fileName, loaded.formatRecord);
        warn(message.caption.empty() ? windowTitle : message.caption, message.text);
        return false;
    }
    if (!takeGreeting(chunkId, targetChunkId, loaded.samples))
        return false;
    sound = std::move(loaded);
    return true;
}

bool SoundBank::loadConverted(const std::filesystem::path &fileName, LoadFault fault,
                              std::span<const std::uint8_t> formatRecord,
                              std::string_view targetChunkId, LoadedSound &sound)
{
    // The certificate covers the exact samples of the file: a converted greeting never verifies.
    if (isGreeting(targetChunkId)) {
        const LoadMessage message = greetingLoadMessage(fault, fileName, formatRecord);
        warn(windowTitle, message.text);
        return false;
    }
    // A WAV file cut short still decodes up to the cut: its own chunk sizes show the loss. Only
    // they are read: the recording may be far larger than the sound it converts to.
    LoadedSound whole;
    const std::optional<LoadFault> cut =
        fault == LoadFault::WrongFormat ? readSound(fileName, WavDataChunkId, /*checkFormat=*/false,
                                                    whole, SampleReading::CheckOnly)
                                        : std::nullopt;
    if (cut) {
        warn(windowTitle, importLoadMessage(*cut, fileName, whole.formatRecord).text);
        return false;
    }
    ConvertedRecording converted;
    if (const std::optional<ConversionFault> failed = convertRecording(fileName, converted)) {
        const LoadMessage message = conversionLoadMessage(*failed, fileName);
        warn(message.caption.empty() ? windowTitle : message.caption, message.text);
        return false;
    }
    const std::array<std::uint8_t, 16> bankRecord = WaveFormat::bankRecord();
    sound.formatRecord.assign(bankRecord.begin(), bankRecord.end());
    sound.samples = std::move(converted.samples);
    sound.convertedFrom = std::move(converted.source);
    return true;
}

bool SoundBank::isProductBank(const std::filesystem::path &fileName) const
{
    return fileName.lexically_normal() == directory.productBank().lexically_normal();
}

bool SoundBank::takeGreeting(std::string_view chunkId, std::string_view targetChunkId,
                             std::span<const std::int16_t> samples) const
{
    // Only a WAV file's sound bound for the greeting phrase needs a certificate; the bank's own
    // greeting chunk is checked by whoever plays it.
    if (ChunkId::fromText(chunkId) != ChunkId::fromText(WavDataChunkId) ||
        !isGreeting(targetChunkId))
        return true;
    return greetingGate && greetingGate(samples);
}

bool SoundBank::SaveSound(std::string_view chunkId, std::span<const std::int16_t> sound)
{
    const NewChunk one{chunkId, sound};
    return !storeChunks(std::span(&one, 1));
}

bool SoundBank::SaveSounds(std::span<const SoundReplacement> sounds)
{
    std::vector<NewChunk> chunks;
    chunks.reserve(sounds.size());
    for (const SoundReplacement &sound : sounds)
        chunks.push_back({sound.chunkId, sound.samples});
    return storeChunks(chunks);
}

static std::span<const std::uint8_t> sampleBytes(std::span<const std::int16_t> samples)
{
    return {reinterpret_cast<const std::uint8_t *>(samples.data()), samples.size_bytes()};
}

/// The first id that two sounds share, if any.
static std::optional<ChunkId> repeatedId(std::span<const ChunkId> ids)
{
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (std::find(ids.begin() + static_cast<std::ptrdiff_t>(i) + 1, ids.end(), ids[i]) !=
            ids.end())
            return ids[i];
    }
    return std::nullopt;
}

bool SoundBank::storeChunks(std::span<const NewChunk> sounds)
{
    std::vector<ChunkId> ids;
    ids.reserve(sounds.size());
    for (const NewChunk &sound : sounds)
        ids.push_back(ChunkId::fromText(sound.chunkId));
    // Which of two sounds under one id should win is the caller's decision, not ours.
    if (const std::optional<ChunkId> repeated = repeatedId(ids)) {
        inform(windowTitle, fillText(RepeatedIdText, {repeated->text()}));
        return false;
    }
    // Held until the new bank is in place: a writer that read the old bank meanwhile would undo
    // this one.
    const BankWriterLock writer(directory, writerWait);
    if (!writer.isLocked()) {
        reportBusy(writer);
        return false;
    }
    BinaryFile bank;
    const std::optional<BankChunks> chunks = openBank(directory.productBank(), bank);
    // A file that is no bank is reported too: a silent failure would lose the operator's edit.
    if (!chunks) {
        inform(windowTitle, SaveOpenText);
        return false;
    }
    // Each sound takes the place of the first chunk with its id, in file order; the rest follow.
    std::vector<BankEdit> edits;
    std::vector<bool> placed(sounds.size(), false);
    for (const ChunkHeader &old : listChunks(bank, chunks->begin, chunks->end)) {
        const auto match = std::find(ids.begin(), ids.end(), old.id);
        const auto index = static_cast<std::size_t>(match - ids.begin());
        if (match == ids.end() || placed[index])
            continue;
        placed[index] = true;
        edits.push_back({old.offset, std::min(old.next(), chunks->end), old.id,
                         sampleBytes(sounds[index].samples)});
    }
    const bool replacing = !edits.empty();
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        if (!placed[i])
            edits.push_back({chunks->end, chunks->end, ids[i], sampleBytes(sounds[i].samples)});
    }
    AtomicFileReplace replace(directory.productBank(), directory.temporaryBank(), faults);
    if (!replace.create() || !writeSplicedBank(replace, bank, chunks->end, edits)) {
        inform(windowTitle, replacing ? SaveReplaceBuildText : SaveAddBuildText);
        return false;
    }
    bank.close();
    return commitWithRetry(replace, windowTitle);
}

bool SoundBank::RemoveSound(std::string_view chunkId)
{
    const BankWriterLock writer(directory, writerWait);
    if (!writer.isLocked()) {
        reportBusy(writer);
        return true;
    }
    BinaryFile bank;
    const std::optional<BankChunks> chunks = openBank(directory.productBank(), bank);
    if (!chunks) {
        inform({}, RemoveOpenText);
        return true;
    }
    const std::optional<ChunkHeader> existing =
        findChunk(bank, ChunkId::fromText(chunkId), chunks->begin, chunks->end);
    // The sound is already gone: the caller may go on and remove the lexeme's node.
    if (!existing)
        return false;
    const BankEdit removal{existing->offset, std::min(existing->next(), chunks->end), {}, {}};
    AtomicFileReplace replace(directory.productBank(), directory.temporaryBank(), faults);
    if (!replace.create() ||
        !writeSplicedBank(replace, bank, chunks->end, std::span(&removal, 1))) {
        inform({}, RemoveBuildText);
        return true;
    }
    bank.close();
    // The callers tell the operator why a removal failed.
    return !replace.commit() && !acceptedAfterRename(replace, {});
}

bool SoundBank::commitWithRetry(AtomicFileReplace &replace, const std::string &caption)
{
    while (!replace.commit()) {
        if (replace.replaced())
            return acceptedAfterRename(replace, caption);
        const MessageRequest question{caption, std::string(SaveRetryText), MessageIcon::Error,
                                      MessageButtons::RetryCancel, MessageAnswer::Cancel};
        if (ui.showMessage(question) != MessageAnswer::Retry)
            return false;
    }
    return true;
}

bool SoundBank::acceptedAfterRename(const AtomicFileReplace &replace, const std::string &caption)
{
    if (!replace.replaced())
        return false;
    // Readers already get the new bank; reporting it unchanged would make the caller keep a node
    // without its sound or drop a new one whose sound is in place.
    warn(caption, NotConfirmedText);
    return true;
}

void SoundBank::reportBusy(const BankWriterLock &writer)
{
    const std::optional<BankWriter> &holder = writer.holder();
    warn(windowTitle, holder
                          ? fillText(BankBusyText, {holder->program, std::to_string(holder->pid)})
                          : fillText(BankLockText, {writer.failure()}));
}

void SoundBank::warn(const std::string &caption, std::string_view text)
{
    ui.showMessage(
        {caption, std::string(text), MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
}

void SoundBank::inform(const std::string &caption, std::string_view text)
{
    ui.showMessage({caption, std::string(text), MessageIcon::Information, MessageButtons::Ok,
                    MessageAnswer::Ok});
}

} // namespace vorela
