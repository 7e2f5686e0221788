// `vorela bank list|export|import|import-dir|remove` and `vorela install-currency`: the product
// bank as the editor changes it, through the same operations, messages on stderr.
#include "cli/CliStore.h"
#include "cli/CliTree.h"
#include "cli/LibrarySession.h"
#include "soundbank/CurrencyInstallation.h"
#include "soundbank/FolderImport.h"
#include "soundbank/LoadMessages.h"
#include "soundbank/SoundBank.h"
#include "soundbank/WavExport.h"
#include "soundbank/WaveFile.h"
#include "soundbank/WaveFormat.h"
#include "stores/ChunkIds.h"
#include "stores/LexItem.h"
#include "verification/Verification.h"

#include <cstdio>
#include <iostream>

namespace vorela {

// Caption of the bank's messages, which the tool prints as "caption: text".
static constexpr const char *MessageCaption = "vorela";

// Exit status of import-dir when some files were refused or subfolders skipped and the rest
// stored.
static constexpr int SomeRefusedStatus = 2;

static int listBank(const CliContext &context)
{
    const std::filesystem::path bankPath = context.dataDirectory.productBank();
    WaveFile bank;
    if (!bank.Open(bankPath))
        return cliFailure(bankPath.string() +
                          ": not a readable RIFF WAVE bank with a \"fmt \" chunk");
    for (const ChunkHeader &chunk : bank.chunks()) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.2f",
                      static_cast<double>(chunk.size) / BankBytesPerSecond);
        std::cout << chunk.id.text() << '\t' << chunk.offset << '\t' << chunk.size << '\t'
                  << seconds << '\n';
    }
    return 0;
}

static int exportSound(CliContext &context, const std::string &chunkId,
                       const std::filesystem::path &output)
{
    SoundBank soundBank(context.dataDirectory, context.ui);
    soundBank.setWindowTitle(MessageCaption);
    LoadedSound sound;
    if (!soundBank.LoadSound(context.dataDirectory.productBank(), chunkId, /*checkFormat=*/false,
                             sound))
        return cliFailure("cannot read chunk '" + chunkId + "' of the product bank");
    if (!exportWav(output, sound.samples))
        return cliFailure(output.string() + ": cannot be written");
    return 0;
}

static int importSound(CliContext &context, const std::string &chunkId,
                       const std::filesystem::path &input)
{
    SoundBank soundBank(context.dataDirectory, context.ui);
    soundBank.setWindowTitle(MessageCaption);
    const DataDirectory dataDirectory = context.dataDirectory;
    soundBank.setGreetingGate([&](std::span<const std::int16_t> samples) {
        if (Verification(dataDirectory).VerifySound(samples))
            return true;
        std::cerr << "vorela: " << input.string()
                  << ": the greeting phrase needs a sound certified by a trusted key\n";
        return false;
    });
    LoadedSound sound;
    if (!soundBank.LoadSound(input, WavDataChunkId, /*checkFormat=*/true, sound, chunkId))
        return cliFailure(input.string() + ": not imported");
    if (sound.convertedFrom)
        std::cerr << "vorela: " << conversionNote(input, *sound.convertedFrom) << '\n';
    if (soundBank.SaveSound(chunkId, sound.samples))
        return cliFailure("chunk '" + chunkId + "' not saved; the product bank is unchanged");
    return 0;
}

static const char *outcomeWord(ImportOutcome outcome)
{
    switch (outcome) {
    case ImportOutcome::Imported:
        return "imported";
    case ImportOutcome::Converted:
        return "converted";
    case ImportOutcome::Skipped:
        return "skipped";
    case ImportOutcome::Refused:
        break;
    }
    return "refused";
}

static int importFolder(CliContext &context, const std::filesystem::path &folder)
{
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    std::vector<LexemeName> lexemes;
    {
        const LexItem root(*store);
        const RegistryReadTransaction snapshot(*store);
        lexemes = lexemeNames(root);
    }
    const DataDirectory dataDirectory = context.dataDirectory;
    const std::optional<FolderImportPlan> plan =
        loadFolder(folder, lexemes, dataDirectory, [&](std::span<const std::int16_t> samples) {
            return Verification(dataDirectory).VerifySound(samples);
        });
    if (!plan)
        return cliFailure(folder.string() + ": not a readable folder");
    if (plan->files.empty())
        return cliFailure(folder.string() + ": no file or subfolder to import");
    if (!plan->sounds.empty() &&
        !keepVersionBefore(context, "Перед загрузкой папки " + folder.string(),
                           "importing " + folder.string()))
        return 1;
    bool refused = false;
    for (const FileImport &file : plan->files) {
        refused = refused || file.outcome == ImportOutcome::Refused ||
                  file.outcome == ImportOutcome::Skipped;
        std::cout << file.fileName << '\t' << (file.chunkId.empty() ? "-" : file.chunkId) << '\t'
                  << outcomeWord(file.outcome) << '\t' << file.detail << '\n';
    }
    std::cout.flush();
    if (plan->sounds.empty()) {
        std::cerr << "vorela: " << folder.string() << ": nothing imported\n";
        return SomeRefusedStatus;
    }
    SoundBank soundBank(context.dataDirectory, context.ui);
    soundBank.setWindowTitle(MessageCaption);
    if (!soundBank.SaveSounds(plan->sounds))
        return cliFailure("no sound of " + folder.string() +
                          " saved; the product bank is unchanged");
    return refused ? SomeRefusedStatus : 0;
}

static int removeSound(CliContext &context, const std::string &chunkId)
{
    SoundBank soundBank(context.dataDirectory, context.ui);
    soundBank.setWindowTitle(MessageCaption);
    if (soundBank.RemoveSound(chunkId))
        return cliFailure("chunk '" + chunkId + "' not removed; the product bank is unchanged");
    return 0;
}

static int installCurrencyCommand(CliContext &context)
{
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    LexItem root(*store);
    const CurrencyInstallation result = installCurrency(root, context.dataDirectory);
    if (!result.lockFailure.empty())
        return cliFailure(result.lockFailure + "; nothing installed");
    std::cout << result.wordsPresent << " of 7 currency words present; amount functions "
              << (result.amountFunctionsPresent ? "present" : "not added") << '\n';
    if (result.wordsPresent != 7)
        return cliFailure("some currency words are missing: they need node 3\\4\\, "
                          "a readable product bank and their sounds in currency.awf");
    return 0;
}

namespace {

struct ChunkFile {
    std::string chunkId;
    std::string file;
};

} // namespace

void addBankCommands(CLI::App &tool, CliAction &action)
{
    CLI::App &bank = addCliGroup(tool, "bank", "the product bank's sounds");
    addCliCommand(bank, action, "list", "ID OFFSET BYTES SECONDS per chunk",
                  [](CliContext &context) { return listBank(context); });
    const auto [exporting, exported] =
        addCliCommand<ChunkFile>(bank, action, "export", "the sound of chunk ID as a WAV file",
                                 [](CliContext &context, const ChunkFile &chunk) {
                                     return exportSound(context, chunk.chunkId, chunk.file);
                                 });
    exporting.add_option("ID", exported.chunkId)->required();
    exporting.add_option("OUT.wav", exported.file)->required();
    const auto [importing, imported] = addCliCommand<ChunkFile>(
        bank, action, "import", "a recording (WAV, FLAC, Ogg or MP3) as the sound of chunk ID",
        [](CliContext &context, const ChunkFile &chunk) {
            return importSound(context, chunk.chunkId, chunk.file);
        });
    importing.add_option("ID", imported.chunkId)->required();
    importing.add_option("IN", imported.file)->required();
    const auto [importingFolder, folder] = addCliCommand<std::string>(
        bank, action, "import-dir",
        "every recording of DIR named by a chunk id or a lexeme's text, in one rewrite; exit 2 "
        "when some were refused",
        [](CliContext &context, const std::string &path) { return importFolder(context, path); });
    importingFolder.add_option("DIR", folder)->required();
    const auto [removing, removed] =
        addCliCommand<std::string>(bank, action, "remove", "the sound of chunk ID", removeSound);
    removing.add_option("ID", removed)->required();
    addNormalizeCommand(bank, action);
    addCliCommand(tool, action, "install-currency",
                  "the currency words into the product bank and the lexeme tree",
                  installCurrencyCommand);
}

} // namespace vorela
