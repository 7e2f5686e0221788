// The texts of a failed load: the bank's numbered ones and the plain ones for the operator's file.
#include "soundbank/LoadMessages.h"

#include "platform/ByteReader.h"
#include "soundbank/WaveFormat.h"
#include "speech/NumberGrammar.h"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace vorela {

// Texts of reading the bank (exclamation icon).
static constexpr std::string_view OpenFailedText = "Ошибка откpытия файла!";
static constexpr std::string_view NoFormText = "Ошибка pаботы с файлом! (0001)";
static constexpr std::string_view NoFormatChunkText = "Ошибка pаботы с файлом! (0002)";
static constexpr std::string_view FormatReadText = "Ошибка pаботы с файлом! (0003)";
static constexpr std::string_view NoChunkText = "Ошибка pаботы с файлом! (0004)";
static constexpr std::string_view EmptyChunkText = "Ошибка pаботы с файлом! (0005)";
static constexpr std::string_view ChunkReadText = "Ошибка pаботы с файлом! (0006)";
static constexpr std::string_view NoMemoryCaption = "Недостаточно памяти!";
static constexpr std::string_view FormatMemoryText =
    "Закpойте дpугие пpиложения и повтоpите попытку (0010)";
static constexpr std::string_view SoundMemoryText =
    "Закpойте дpугие пpиложения и повтоpите попытку (0011)";
static constexpr std::string_view WrongFormatCaption = "Недопустимый формат файла!";
static constexpr std::string_view WrongFormatText =
    "Файл должен быть записан в следующем формате:      \r\n\r\nЧастота дискретизации:\t8кГц\r\n"
    "Моно\r\nТип оцифровки:\t\tPCM 16 bit\r\n";

// Texts for a WAV file the operator chose. The refusals keep the bank's code at the end, so the
// manual's table of codes serves both.
static constexpr std::string_view ImportOpenText = "Не удаётся открыть файл «%1».";
static constexpr std::string_view ImportRefusedText = "Файл «%1» не подходит: %2.";
static constexpr std::string_view NotWaveReason = "это не файл WAV";
static constexpr std::string_view NoFormatReason = "в нём нет описания формата звука";
static constexpr std::string_view FormatCutReason =
    "он обрезан или повреждён — описание формата звука обрывается";
static constexpr std::string_view FloatReason = "звук в нём записан числами с плавающей точкой";
static constexpr std::string_view CompressedReason = "звук в нём сжат или записан особым способом";
static constexpr std::string_view FormatValuesReason = "в нём звук %1 Гц, %2, %3 %4";
static constexpr std::string_view NeededFormatText = ", а нужен 8000 Гц, моно, 16 бит";
static constexpr std::string_view ExtensibleReason =
    "формат звука описан в нём в расширенном виде, а нужен простой заголовок WAV";
static constexpr std::string_view BadFormatReason = "описание формата звука в нём повреждено";
static constexpr std::string_view NoSoundReason = "в нём нет звука";
static constexpr std::string_view EmptySoundReason = "звук в нём пустой";
static constexpr std::string_view SoundCutReason = "он обрезан или повреждён — звук обрывается";
static constexpr std::string_view UnknownRecordingReason =
    "это не звукозапись WAV, FLAC, Ogg или MP3, или она повреждена";
static constexpr std::string_view UndecodableReason = "он повреждён — звук в нём не читается";
static constexpr std::string_view GreetingNoteText =
    " Фразу приветствия берут только из заверенного файла WAV 8000 Гц, моно, 16 бит: "
    "преобразование нарушило бы её подпись.";
static constexpr std::string_view ConvertedText =
    "Звук из файла «%1» (%2) преобразован в 8000 Гц, моно, 16 бит.";
static constexpr std::string_view ClippedText =
    " Отсчётов за пределом шкалы, срезанных при преобразовании: %1.";
static constexpr std::string_view RateText = "%1 Гц";
static constexpr std::string_view FloatingPointText = " с плавающей точкой";
static constexpr std::string_view MonoText = "моно";
static constexpr std::string_view StereoText = "стерео";
static constexpr NounForms ChannelWords{{"канал", "канала", "каналов"}};
static constexpr NounForms BitWords{{"бит", "бита", "бит"}};

static constexpr std::uint16_t PcmFormatTag = 1;
static constexpr std::uint16_t FloatFormatTag = 3;
static constexpr std::uint16_t ExtensibleFormatTag = 0xFFFE;
static constexpr std::size_t SubFormatOffset = 24;
static constexpr std::size_t PcmRecordBytes = 16;
static constexpr std::uint32_t BankSampleRate = 8000;
static constexpr std::uint16_t BankBitsPerSample = 16;

// Each search starts after the value put in last, so a file name holding "%2" stays as it is.
std::string fillText(std::string_view pattern, std::initializer_list<std::string_view> values)
{
    std::string text(pattern);
    char marker = '1';
    std::size_t from = 0;
    for (const std::string_view value : values) {
        const std::string placeholder{'%', marker++};
        const std::size_t at = text.find(placeholder, from);
        if (at == std::string::npos)
            continue;
        text.replace(at, placeholder.size(), value);
        from = at + value.size();
    }
    return text;
}

static std::string channelsText(std::uint32_t channels)
{
    if (channels == 1)
        return std::string(MonoText);
    if (channels == 2)
        return std::string(StereoText);
    return std::to_string(channels) + " " + ChannelWords[pluralForm(channels)];
}

/// The tag that says how the samples are coded: an extensible record keeps it in the first two
/// bytes of its sub-format; none when the record is too short to hold it.
static std::optional<std::uint16_t> codingTag(std::span<const std::uint8_t> record)
{
    ByteReader reader(record);
    std::uint16_t tag = 0;
    if (!reader.readU16le(tag))
        return std::nullopt;
    if (tag != ExtensibleFormatTag)
        return tag;
    if (!reader.skip(SubFormatOffset - sizeof tag) || !reader.readU16le(tag))
        return std::nullopt;
    return tag;
}

/// Why a format record is not the bank format, in the operator's words.
static std::string formatReason(std::span<const std::uint8_t> record)
{
    if (record.size() < PcmRecordBytes)
        return std::string(BadFormatReason);
    const std::optional<std::uint16_t> coding = codingTag(record);
    if (!coding)
        return std::string(BadFormatReason);
    if (*coding == FloatFormatTag)
        return std::string(FloatReason) + std::string(NeededFormatText);
    if (*coding != PcmFormatTag)
        return std::string(CompressedReason) + std::string(NeededFormatText);
    const WaveFormat format = WaveFormat::fromRecord(record);
    if (format.channels == 0 || format.samplesPerSecond == 0 || format.bitsPerSample == 0)
        return std::string(BadFormatReason);
    if (format.channels != 1 || format.samplesPerSecond != BankSampleRate ||
        format.bitsPerSample != BankBitsPerSample)
        return fillText(FormatValuesReason,
                        {std::to_string(format.samplesPerSecond), channelsText(format.channels),
                         std::to_string(format.bitsPerSample),
                         BitWords[pluralForm(format.bitsPerSample)]}) +
               std::string(NeededFormatText);
    if (format.formatTag == ExtensibleFormatTag)
        return std::string(ExtensibleReason);
    // The right values with wrong bytes per second or block size: the record contradicts itself.
    return std::string(BadFormatReason);
}

static std::string refusal(const std::string &fileName, std::string_view reason,
                           std::string_view code = {})
{
    std::string text = fillText(ImportRefusedText, {fileName, reason});
    if (!code.empty())
        text += " (" + std::string(code) + ")";
    return text;
}

LoadMessage bankLoadMessage(LoadFault fault)
{
    switch (fault) {
    case LoadFault::Open:
        return {{}, std::string(OpenFailedText)};
    case LoadFault::NoForm:
        return {{}, std::string(NoFormText)};
    case LoadFault::NoFormat:
        return {{}, std::string(NoFormatChunkText)};
    case LoadFault::FormatMemory:
        return {std::string(NoMemoryCaption), std::string(FormatMemoryText)};
    case LoadFault::FormatRead:
        return {{}, std::string(FormatReadText)};
    case LoadFault::WrongFormat:
        return {std::string(WrongFormatCaption), std::string(WrongFormatText)};
    case LoadFault::NoChunk:
        return {{}, std::string(NoChunkText)};
    case LoadFault::EmptyChunk:
        return {{}, std::string(EmptyChunkText)};
    case LoadFault::SoundMemory:
        return {std::string(NoMemoryCaption), std::string(SoundMemoryText)};
    case LoadFault::ChunkRead:
        return {{}, std::string(ChunkReadText)};
    }
    return {};
}

LoadMessage importLoadMessage(LoadFault fault, const std::filesystem::path &file,
                              std::span<const std::uint8_t> formatRecord)
{
    // Only the file's own name: the folders of a long path would push the reason off the box.
    const std::string name = file.filename().string();
    switch (fault) {
    case LoadFault::Open:
        return {{}, fillText(ImportOpenText, {name})};
    case LoadFault::NoForm:
        return {{}, refusal(name, NotWaveReason, "0001")};
    case LoadFault::NoFormat:
        return {{}, refusal(name, NoFormatReason, "0002")};
    case LoadFault::FormatRead:
        return {{}, refusal(name, FormatCutReason, "0003")};
    case LoadFault::WrongFormat:
        return {{}, refusal(name, formatReason(formatRecord))};
    case LoadFault::NoChunk:
        return {{}, refusal(name, NoSoundReason, "0004")};
    case LoadFault::EmptyChunk:
        return {{}, refusal(name, EmptySoundReason, "0005")};
    case LoadFault::ChunkRead:
        return {{}, refusal(name, SoundCutReason, "0006")};
    case LoadFault::FormatMemory:
    case LoadFault::SoundMemory:
        break; // the computer's fault, not the file's
    }
    return bankLoadMessage(fault);
}

LoadMessage conversionLoadMessage(ConversionFault fault, const std::filesystem::path &file)
{
    const std::string name = file.filename().string();
    switch (fault) {
    case ConversionFault::Open:
        return importLoadMessage(LoadFault::Open, file, {});
    case ConversionFault::Unknown:
        return {{}, refusal(name, UnknownRecordingReason, "0001")};
    case ConversionFault::Damaged:
        return {{}, refusal(name, UndecodableReason, "0006")};
    case ConversionFault::Truncated:
        return importLoadMessage(LoadFault::ChunkRead, file, {});
    case ConversionFault::Empty:
        return importLoadMessage(LoadFault::EmptyChunk, file, {});
    case ConversionFault::Memory:
        break;
    }
    return bankLoadMessage(LoadFault::SoundMemory);
}

LoadMessage greetingLoadMessage(LoadFault fault, const std::filesystem::path &file,
                                std::span<const std::uint8_t> formatRecord)
{
    LoadMessage message = importLoadMessage(fault, file, formatRecord);
    message.text += GreetingNoteText;
    return message;
}

std::string conversionNote(const std::filesystem::path &file, const RecordingFormat &source)
{
    std::string format = source.container;
    if (!source.codec.empty())
        format += " " + source.codec;
    format += ", " + fillText(RateText, {std::to_string(source.sampleRate)}) + ", " +
              channelsText(source.channels);
    if (source.bits != 0) {
        format += ", " + std::to_string(source.bits) + " " + BitWords[pluralForm(source.bits)];
        if (source.floatingPoint)
            format += FloatingPointText;
    }
    std::string note = fillText(ConvertedText, {file.filename().string(), format});
    if (source.clippedSamples > 0)
        note += fillText(ClippedText, {std::to_string(source.clippedSamples)});
    return note;
}

} // namespace vorela
