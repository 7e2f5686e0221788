// `vorela bank list|export|import|import-dir|remove` and `vorela install-currency`: the product
// bank as the editor changes it, through the same operations, messages on stderr.
#include "cli/CliCommands.h"
#include "cli/CliStore.h"
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

static constexpr const char *BankUsage =
    "usage: vorela bank list | bank export ID OUT.wav | bank import ID IN.wav | "
    "bank import-dir DIR | bank remove ID | bank normalize ID...|--all";

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
    std::cout.flush();
    return std::cout ? 0 : cliFailure("cannot write to standard output");
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

int bankCommand(CliContext &context, const CliArguments &arguments)
{
    const std::string verb = arguments.empty() ? std::string() : arguments[0];
    if (verb == "list" && arguments.size() == 1)
        return listBank(context);
    if (verb == "export" && arguments.size() == 3)
        return exportSound(context, arguments[1], arguments[2]);
    if (verb == "import" && arguments.size() == 3)
        return importSound(context, arguments[1], arguments[2]);
    if (verb == "import-dir" && arguments.size() == 2)
        return importFolder(context, arguments[1]);
    if (verb == "remove" && arguments.size() == 2)
        return removeSound(context, arguments[1]);
    if (verb == "normalize")
        return normalizeCommand(context, CliArguments(arguments.begin() + 1, arguments.end()));
    return cliFailure(BankUsage);
}

int installCurrencyCommand(CliContext &context, const CliArguments &arguments)
{
    if (!arguments.empty())
        return cliFailure("usage: vorela install-currency");
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    LexItem root(*store);
    const CurrencyInstallation result = installCurrency(root, context.dataDirectory);
    std::cout << result.wordsPresent << " of 7 currency words present; amount functions "
              << (result.amountFunctionsPresent ? "present" : "not added") << '\n';
    if (result.wordsPresent != 7)
        return cliFailure("some currency words are missing: they need node 3\\4\\, "
                          "a readable product bank and their sounds in currency.awf");
    return 0;
}

} // namespace vorela
