// Opening Form2 for the source tree's commands and the import of a WAV file as a lexeme.
#include "soundeditor/window/SoundEditorCommands.h"

#include "platform/UiServices.h"
#include "platform/qt/QtModalDialog.h"
#include "platform/qt/QtText.h"
#include "soundbank/ChunkIdAllocator.h"
#include "soundbank/SoundBank.h"
#include "soundeditor/window/Form2.h"
#include "soundeditor/window/FormErrorVerify.h"
#include "verification/Verification.h"

namespace vorela {

static const std::string OpenSoundTitle = "Открытие звукового файла";
// Other formats than WAV are converted to the bank's on loading.
static const FileFilter SoundFilter{"Звуковые файлы(*.wav *.flac *.ogg *.oga *.mp3)",
                                    "*.wav *.flac *.ogg *.oga *.mp3"};
static constexpr const char *NodeNotWrittenText =
    "Не удалось записать новую лексему в реестр. Её звук удалён из банка.";
static constexpr const char *NodeNotWrittenSoundKeptText =
    "Не удалось записать новую лексему в реестр, и её звук не удалось удалить из банка.";

SoundEditorCommands::SoundEditorCommands(SoundEditorContext editorContext, QWidget *parentWidget)
    : context(std::move(editorContext)), parent(parentWidget)
{
}

void SoundEditorCommands::installGreetingGate(const std::string &caption)
{
    UiServices &ui = context.ui;
    const DataDirectory dataDirectory = context.dataDirectory;
    const QPointer<QWidget> owner = parent;
    context.bank.setGreetingGate(
        [&ui, dataDirectory, owner, caption](std::span<const std::int16_t> samples) {
            if (Verification(dataDirectory).VerifySound(samples))
                return true;
            FormErrorVerify refusal(owner);
            refusal.SetCaption(toQString(caption));
            QtModalDialog modal(refusal, "FormErrorVerify");
            ui.runDialog(modal);
            return false;
        });
}

bool SoundEditorCommands::runEditor(SoundEditorMode mode, const std::string &chunkId,
                                    const std::string &lexemeName,
                                    const std::filesystem::path &file, bool *savedAsNew)
{
    const EditorModeInputs inputs = editorModeInputs(mode, lexemeName, file.stem().string());
    installGreetingGate(inputs.windowTitle);
    Form2 form(context, parent);
    form.SetNewEmpty(inputs.newEmpty);
    form.SetNewFromFile(inputs.newFromFile);
    form.SetWindowTitle(inputs.windowTitle);
    form.SetSourceIsFile(inputs.sourceIsFile);
    form.SetSourcePath(file);
    form.SetChunkId(chunkId);
    form.SetFullControls(inputs.fullControls);
    form.SetImportPending(inputs.importPending);
    const bool opened = form.prepare();
    if (opened) {
        QtModalDialog modal(form, "Form2");
        context.ui.runDialog(modal);
    }
    if (savedAsNew)
        *savedAsNew = form.WasSavedAsNew();
    return opened;
}

void SoundEditorCommands::discardNewSound(SoundBank &bank, UiServices &ui,
                                          const std::string &caption, const std::string &chunkId)
{
    bank.setWindowTitle(caption);
    const bool kept = bank.RemoveSound(chunkId);
    ui.showMessage({caption, kept ? NodeNotWrittenSoundKeptText : NodeNotWrittenText,
                    MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
}

void SoundEditorCommands::listen(const std::string &lexemeName, const std::string &chunkId)
{
    runEditor(SoundEditorMode::Listen, chunkId, lexemeName, {});
}

void SoundEditorCommands::replaceInPlayer(const std::string &lexemeName, const std::string &chunkId)
{
    runEditor(SoundEditorMode::ReplaceInPlayer, chunkId, lexemeName, {});
}

std::optional<NewLexeme>
SoundEditorCommands::createInPlayer(std::span<const std::string> storeChunks)
{
    const std::optional<std::string> chunkId = newChunkId(storeChunks);
    if (!chunkId)
        return std::nullopt;
    bool saved = false;
    runEditor(SoundEditorMode::CreateInPlayer, *chunkId, {}, {}, &saved);
    if (!saved)
        return std::nullopt;
    return NewLexeme{*chunkId, {}};
}

std::optional<std::filesystem::path> SoundEditorCommands::chooseSoundFile()
{
    const OpenFileRequest request{OpenSoundTitle, {SoundFilter}, lastFile.parent_path()};
    std::optional<std::filesystem::path> chosen = context.ui.chooseOpenFile(request);
    if (chosen)
        lastFile = *chosen;
    return chosen;
}

std::optional<NewLexeme>
SoundEditorCommands::createFromFile(std::span<const std::string> storeChunks)
{
    const std::optional<std::filesystem::path> file = chooseSoundFile();
    if (!file)
        return std::nullopt;
    const std::optional<std::string> chunkId = newChunkId(storeChunks);
    if (!chunkId)
        return std::nullopt;
    bool saved = false;
    runEditor(SoundEditorMode::CreateFromFile, *chunkId, {}, *file, &saved);
    if (!saved)
        return std::nullopt;
    return NewLexeme{*chunkId, file->stem().string()};
}

void SoundEditorCommands::replaceFromFile(const std::string &lexemeName, const std::string &chunkId)
{
    const std::optional<std::filesystem::path> file = chooseSoundFile();
    if (!file)
        return;
    runEditor(SoundEditorMode::ReplaceFromFile, chunkId, lexemeName, *file);
}

std::optional<std::string>
SoundEditorCommands::newChunkId(std::span<const std::string> storeChunks) const
{
    return ChunkIdAllocator::forBank(storeChunks, context.dataDirectory.productBank())
        .newLexemeChunkId();
}

} // namespace vorela
