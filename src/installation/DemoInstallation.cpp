// Filling a new installation with demo data: nodes for the phrases and the district table, one
// parallel synthesis run for every sound, the banks, the signed greeting and the tasks.
#include "installation/DemoInstallation.h"

#include "installation/DemoContent.h"
#include "installation/NewInstallation.h"
#include "installation/SpeechSynthesis.h"
#include "installation/StandardLexemeTree.h"
#include "installation/StandardWords.h"
#include "platform/DataDirectory.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryTransaction.h"
#include "platform/TemporaryFolder.h"
#include "soundbank/ChunkIdAllocator.h"
#include "soundbank/CurrencyInstallation.h"
#include "soundbank/WaveFile.h"
#include "stores/ChunkIds.h"
#include "stores/LexItem.h"
#include "stores/LexemeTable.h"
#include "verification/GreetingCertificate.h"
#include "verification/RsaKey.h"

#include <chrono>
#include <fstream>
#include <memory>
#include <optional>

namespace vorela {

namespace {

constexpr unsigned DemoKeyBits = 1024;
constexpr unsigned ParallelChildren = 4;
constexpr std::string_view DemoKeyFile = "demo-signing-key.pem";
constexpr std::string_view DemoPublicKeyFile = "demo.pub";
constexpr unsigned TableIcon = 6;

/// One sound to make: where it goes and what it says.
struct PlannedSound {
    std::string chunk; // product bank chunk, or currency bank chunk ("RDLR")
    bool currencyBank = false;
    SynthesisRequest request;
};

// The phrases and the district table in the phrase folder; their sounds join the plan.
bool addPhraseNodes(LexItem &root, std::vector<PlannedSound> &plan)
{
    const std::shared_ptr<LexItem> phrases = root.GetChild("1");
    if (!phrases)
        return false;
    RegistryTransaction transaction(*root.key().owner());
    // A new installation's bank holds no sounds yet: only the store's chunks are in use.
    ChunkIdAllocator chunkIds(collectStoreChunks(root), {});
    for (const std::string_view text : demoPhrases()) {
        const std::optional<std::string> chunk = chunkIds.newLexemeChunkId();
        if (!chunk || phrases->AppendChild(std::string(text), *chunk, 4, 0, LexemeMask, "").empty())
            return false;
        plan.push_back({*chunk, false, {std::string(text), "ru"}});
    }
    const std::string tableName =
        phrases->AppendChild(std::string(DistrictTableText), std::string(LexemeTableChunkId),
                             TableIcon, 0, LexemeTableMask, "");
    const std::shared_ptr<LexItem> table = phrases->GetChild(tableName);
    if (!table)
        return false;
    for (const DistrictEntry &district : demoDistricts()) {
        const std::optional<std::string> chunk = chunkIds.newTableChunkId();
        if (!chunk || table
                          ->AppendChild(std::string(district.spoken), *chunk, 0, 0, 0,
                                        std::string(district.keyname))
                          .empty())
            return false;
        plan.push_back({*chunk, false, {std::string(district.spoken), "ru"}});
    }
    return transaction.commit();
}

// Every standard word in the tree, the greeting, and the currency bank's two recordings a word.
void planStandardSounds(const LexItem &node, std::vector<PlannedSound> &plan)
{
    for (const std::shared_ptr<LexItem> &child : node.GetChildren()) {
        const std::string chunk = child->GetChunk();
        if (chunk == GreetingChunkId)
            plan.push_back({chunk, false, {std::string(DemoGreeting), "ru"}});
        else if (const StandardWord *word = findStandardWord(chunk))
            plan.push_back({chunk, false, {std::string(word->spoken), "ru"}});
        planStandardSounds(*child, plan);
    }
}

void planCurrencySounds(std::vector<PlannedSound> &plan)
{
    for (const StandardWord &word : standardWords()) {
        if (!fromCurrencyBank(word))
            continue;
        const std::string key(word.key.substr(1));
        plan.push_back({"R" + key, true, {std::string(word.spoken), "ru"}});
        plan.push_back({"U" + key, true, {std::string(word.ukrainian), "uk"}});
    }
}

// Signs the greeting with a new key and trusts that key in this directory only.
bool certifyGreeting(std::vector<std::int16_t> &samples, const DataDirectory &dataDirectory,
                     std::string &error)
{
    const std::optional<RsaKey> key = RsaKey::generate(DemoKeyBits);
    if (!key) {
        error = "cannot generate the demo signing key";
        return false;
    }
    const std::size_t needed = soundBytesForPayload(certificatePayloadBytes(DemoKeyBits)) / 2;
    if (samples.size() < needed)
        samples.resize(needed, 0);
    const std::vector<std::uint8_t> blob = key->publicKeyBlob();
    std::ofstream stream(dataDirectory.trustedKeys() / DemoPublicKeyFile, std::ios::binary);
    stream.write(reinterpret_cast<const char *>(blob.data()),
                 static_cast<std::streamsize>(blob.size()));
    stream.close();
    if (!stream || blob.empty() || !certifySound(samples, *key) ||
        !key->savePrivateKey(dataDirectory.root() / DemoKeyFile)) {
        error = "cannot sign the greeting phrase with the demo key";
        return false;
    }
    return true;
}

bool appendSounds(const std::filesystem::path &bankFile, const std::vector<PlannedSound> &plan,
                  const std::vector<std::vector<std::int16_t>> &sounds, bool currencyBank,
                  std::string &error)
{
    WaveFile bank;
    if (!bank.Open(bankFile)) {
        error = bankFile.string() + ": cannot open the bank";
        return false;
    }
    for (std::size_t index = 0; index < plan.size(); ++index) {
        if (plan[index].currencyBank != currencyBank)
            continue;
        if (!bank.AppendChunk(plan[index].chunk, soundBytes(sounds[index]))) {
            error = bankFile.string() + ": cannot append \"" + plan[index].chunk + "\"";
            return false;
        }
    }
    return bank.Close();
}

} // namespace

bool createDemoDirectory(const DataDirectory &dataDirectory, std::string &error,
                         DemoSummary &summary)
{
    if (!initDataDirectory(dataDirectory, error))
        return false;
    const std::unique_ptr<RegistryStore> store =
        RegistryStore::open(dataDirectory.registry(), error);
    if (!store)
        return false;
    LexItem root(*store);
    std::vector<PlannedSound> plan;
    planStandardSounds(root, plan);
    planCurrencySounds(plan);
    if (!addPhraseNodes(root, plan)) {
        error = "cannot write the demo phrases to the registry store";
        return false;
    }
    const TemporaryFolder work("vorela-demo");
    if (work.path().empty()) {
        error = "cannot create a temporary folder for the synthesis";
        return false;
    }
    std::vector<SynthesisRequest> requests;
    for (const PlannedSound &sound : plan)
        requests.push_back(sound.request);
    const auto started = std::chrono::steady_clock::now();
    SynthesisResult synthesis = synthesize(requests, work.path(), ParallelChildren);
    summary.synthesisSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    summary.sounds = plan.size();
    if (!synthesis.ok()) {
        error = synthesis.error;
        return false;
    }
    for (std::size_t index = 0; index < plan.size(); ++index) {
        if (plan[index].chunk == GreetingChunkId &&
            !certifyGreeting(synthesis.sounds[index], dataDirectory, error))
            return false;
    }
    if (!appendSounds(dataDirectory.productBank(), plan, synthesis.sounds, false, error) ||
        !createEmptyBank(dataDirectory.currencyBank(), dataDirectory.root() / "currency.tmp",
                         error) ||
        !appendSounds(dataDirectory.currencyBank(), plan, synthesis.sounds, true, error))
        return false;
    if (installCurrency(root, dataDirectory).amountFunctionsPresent == false) {
        error = "cannot install the currency words from " + dataDirectory.currencyBank().string();
        return false;
    }
    return createDemoTasks(*store, root, dataDirectory, error);
}

} // namespace vorela
