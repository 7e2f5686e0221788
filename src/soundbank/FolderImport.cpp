// Matching recording files to lexemes and loading them, each refusal told in the operator's words.
#include "soundbank/FolderImport.h"

#include "platform/RegistryValue.h"
#include "platform/UiServices.h"
#include "soundbank/LoadMessages.h"
#include "stores/ChunkIds.h"
#include "stores/LexItem.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>
#include <utility>

namespace vorela {

static constexpr std::array<std::string_view, 5> RecordingExtensions{".wav", ".flac", ".ogg",
                                                                     ".oga", ".mp3"};

static constexpr std::string_view NotRecordingText =
    "Файл «%1» не взят: это не звукозапись (нужен WAV, FLAC, Ogg или MP3).";
static constexpr std::string_view UnknownNameText =
    "Файл «%1» не взят: нет лексемы с таким кодом звука или текстом.";
static constexpr std::string_view AmbiguousText =
    "Файл «%1» не взят: такой текст у нескольких лексем (%2).";
static constexpr std::string_view SameLexemeText =
    "Файл «%1» не взят: звук «%2» дают несколько файлов (%3).";
static constexpr std::string_view NoOwnSoundText =
    "Файл «%1» не взят: у «%2» нет своего звука — это функция, граница или таблица лексем.";
static constexpr std::string_view SubfolderText =
    "Папка «%1» пропущена: вложенные папки не просматриваются.";
static constexpr std::string_view GreetingRefusedText =
    "Файл «%1» не подходит: фраза приветствия в нём не заверена доверенным ключом.";

namespace {

/// Keeps the text of the last message instead of showing it: the plan reports it per file.
class MessageCapture : public UiServices {
public:
    MessageAnswer showMessage(const MessageRequest &request) override
    {
        lastText = request.text;
        return safestAnswer(request.buttons);
    }
    std::optional<std::filesystem::path> chooseOpenFile(const OpenFileRequest &) override
    {
        return std::nullopt;
    }
    int runDialog(ModalDialog &) override { return 0; }
    /// The text shown since the last call, if any.
    std::string take() { return std::exchange(lastText, {}); }

private:
    std::string lastText;
};

} // namespace

static void collectNames(const LexItem &node, std::vector<LexemeName> &names)
{
    for (const std::shared_ptr<LexItem> &child : node.GetChildren()) {
        const std::string chunk = child->GetChunk();
        if (!chunk.empty())
            names.push_back({chunk, child->GetText(), namesSound(chunk)});
        collectNames(*child, names);
    }
}

std::vector<LexemeName> lexemeNames(const LexItem &root)
{
    std::vector<LexemeName> names;
    collectNames(root, names);
    return names;
}

static bool isRecording(const std::filesystem::path &file)
{
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::find(RecordingExtensions.begin(), RecordingExtensions.end(), extension) !=
           RecordingExtensions.end();
}

static std::string joined(const std::vector<std::string> &parts)
{
    std::string text;
    for (const std::string &part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

/// The lexeme a file names: a chunk id first, else a text (letter case aside) that only one
/// sound has; otherwise the file's refusal.
static FileImport matchFile(const std::filesystem::path &file, std::span<const LexemeName> lexemes)
{
    FileImport result{file.filename().string(), {}, ImportOutcome::Refused, {}};
    if (!isRecording(file)) {
        result.detail = fillText(NotRecordingText, {result.fileName});
        return result;
    }
    const std::string stem = file.stem().string();
    const auto byId = std::find_if(lexemes.begin(), lexemes.end(),
                                   [&](const LexemeName &name) { return name.chunkId == stem; });
    if (byId != lexemes.end() && byId->ownSound) {
        result.chunkId = byId->chunkId;
        return result;
    }
    const std::string folded = foldRegistryName(stem);
    std::vector<std::string> ids;
    for (const LexemeName &name : lexemes) {
        if (name.ownSound && foldRegistryName(name.text) == folded &&
            std::find(ids.begin(), ids.end(), name.chunkId) == ids.end())
            ids.push_back(name.chunkId);
    }
    if (ids.size() == 1) {
        result.chunkId = ids.front();
        return result;
    }
    if (ids.size() > 1) {
        result.detail = fillText(AmbiguousText, {result.fileName, joined(ids)});
        return result;
    }
    // A function entry or the boundary named by id or text: say why it takes no recording.
    const auto soundless =
        byId != lexemes.end() ? byId
                              : std::find_if(lexemes.begin(), lexemes.end(), [&](const auto &name) {
                                    return foldRegistryName(name.text) == folded;
                                });
    result.detail = soundless != lexemes.end()
                        ? fillText(NoOwnSoundText, {result.fileName, soundless->text})
                        : fillText(UnknownNameText, {result.fileName});
    return result;
}

/// Refuses every file of a lexeme that more than one file names: which is right is not ours to
/// guess.
static void refuseSharedLexemes(std::vector<FileImport> &files)
{
    std::map<std::string, std::vector<std::string>> namesById;
    for (const FileImport &file : files) {
        if (file.detail.empty())
            namesById[file.chunkId].push_back(file.fileName);
    }
    for (FileImport &file : files) {
        if (!file.detail.empty() || namesById[file.chunkId].size() < 2)
            continue;
        file.detail = fillText(SameLexemeText,
                               {file.fileName, file.chunkId, joined(namesById[file.chunkId])});
    }
}

std::optional<FolderImportPlan> loadFolder(const std::filesystem::path &folder,
                                           std::span<const LexemeName> lexemes,
                                           const DataDirectory &dataDirectory,
                                           const SoundGate &greetingGate)
{
    std::vector<std::filesystem::path> paths;
    std::vector<std::filesystem::path> subfolders;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.starts_with('.'))
            continue;
        (entry->is_directory(error) ? subfolders : paths).push_back(entry->path());
    }
    if (error)
        return std::nullopt;
    std::sort(paths.begin(), paths.end());
    std::sort(subfolders.begin(), subfolders.end());

    FolderImportPlan plan;
    for (const std::filesystem::path &path : paths)
        plan.files.push_back(matchFile(path, lexemes));
    refuseSharedLexemes(plan.files);

    MessageCapture messages;
    SoundBank loader(dataDirectory, messages);
    loader.setGreetingGate(greetingGate);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        FileImport &file = plan.files[i];
        if (!file.detail.empty())
            continue;
        LoadedSound sound;
        if (!loader.LoadSound(paths[i], WavDataChunkId, /*checkFormat=*/true, sound,
                              file.chunkId)) {
            // The gate refuses in silence; any other refusal has its message.
            file.detail = messages.take();
            if (file.detail.empty())
                file.detail = fillText(GreetingRefusedText, {file.fileName});
            continue;
        }
        file.outcome = sound.convertedFrom ? ImportOutcome::Converted : ImportOutcome::Imported;
        if (sound.convertedFrom)
            file.detail = conversionNote(paths[i], *sound.convertedFrom);
        plan.sounds.push_back({file.chunkId, std::move(sound.samples)});
    }
    // Told, so that a folder of folders does not look like a folder of nothing.
    for (const std::filesystem::path &path : subfolders) {
        const std::string name = path.filename().string();
        plan.files.push_back({name, {}, ImportOutcome::Skipped, fillText(SubfolderText, {name})});
    }
    return plan;
}

} // namespace vorela
