// The notification application beside a busy editor: while the editor rewrites the bank and
// changes lexemes and templates, a second process keeps reading and speaking lexemes, reads the
// template under its mutex and writes the task values that belong to it. Nothing it reads is
// torn, nothing it writes is lost, and the editor loses none of its own changes either.
#include "reliability/EditorWorkload.h"
#include "reliability/SoundValues.h"
#include "soundbank/KeySequenceRender.h"
#include "stores/StoreFixtures.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <thread>

namespace vorela {

using namespace std::chrono_literals;

namespace {

constexpr auto RunTime = 8s;
constexpr std::string_view NotifiedValue = "Notified"; // a value unknown to the editor

enum NotifierFailure { TornLexeme = 2, TornSpeech, TornTemplate, WriteFailed, NothingSpoken };

// One round of the notification application's work; 0 or a NotifierFailure.
class Notifier {
public:
    explicit Notifier(const test::TempDataDir &dir)
        : directory(dir.dataDirectory()), store(test::openTestStore(dir)),
          templateMutex(directory,
                        std::string(test::WorkloadTask) + std::string(test::WorkloadOperator))
    {
    }

    int round(unsigned counter)
    {
        std::vector<std::string> present;
        for (unsigned index = 0; index < test::WorkloadChunks; ++index) {
            const std::string id = test::workloadChunkId(index);
            const LexemeSound sound =
                readLexeme(directory.productBank(), id, FormatCheck::BankFormat);
            if (sound.error == LexemeReadError::NoChunk)
                continue;
            if (!sound.ok() || !test::versionOf(index, sound.samples))
                return TornLexeme;
            present.push_back(id);
        }
        const RenderedSpeech speech = renderKeySequence(directory.productBank(), present, {});
        // A lexeme removed since it was read fails the rendering; anything else is a fault.
        if (!speech.ok() &&
            speech.error.find(describeLexemeError(LexemeReadError::NoChunk)) == std::string::npos)
            return TornSpeech;
        if (speech.ok()) {
            const auto pieces = test::splitRendering(speech.samples);
            if (!pieces || pieces->size() != present.size())
                return TornSpeech;
            ++spoken;
        }
        if (const int failure = readTemplate(counter))
            return failure;
        return writeTaskValues(counter);
    }

    [[nodiscard]] unsigned speechCount() const { return spoken; }

private:
    int readTemplate(unsigned counter)
    {
        const NamedMutexLock lock(templateMutex);
        if (!lock.isLocked())
            return WriteFailed;
        const RegistryKey items = store->openKey(test::workloadTemplatePath());
        if (!test::wholeChain(items))
            return TornTemplate;
        // Held a little, as a call that speaks the template would.
        std::this_thread::sleep_for(1ms);
        return items.openKey(test::KeptItem).writeDword(NotifiedValue, counter) ? 0 : WriteFailed;
    }

    int writeTaskValues(unsigned counter) const
    {
        const std::string text = std::to_string(counter);
        const RegistryKey task = store->openKey(test::workloadTaskPath());
        const RegistryKey operatorKey = store->openKey(test::workloadOperatorPath());
        const bool written = task.writeString("File", "/data/table" + text + ".dbf") &&
                             task.writeString("Comm", "COM" + text) &&
                             operatorKey.openKey("Диапазоны").writeDword("Last", counter) &&
                             operatorKey.openKey("Расписания").writeString("Last", text);
        return written ? 0 : WriteFailed;
    }

    DataDirectory directory;
    std::unique_ptr<RegistryStore> store;
    NamedMutex templateMutex;
    unsigned spoken = 0;
};

} // namespace

TEST(NotificationSimulationTest, ReadsAreWholeAndItsValuesSurviveTheEditor)
{
    const test::TempDataDir dir;
    test::writeWorkloadFixture(dir);
    const auto deadline = std::chrono::steady_clock::now() + RunTime;

    test::ChildProcess notifier([&](test::ChildProcess &self) {
        Notifier application(dir);
        for (unsigned counter = 1; std::chrono::steady_clock::now() < deadline; ++counter) {
            if (const int failure = application.round(counter))
                return failure;
            self.tell('n');
        }
        return application.speechCount() > 0 ? 0 : static_cast<int>(NothingSpoken);
    });
    test::ChildProcess editor([&](test::ChildProcess &self) {
        test::EditorWorkload workload(dir);
        for (unsigned number = 0; std::chrono::steady_clock::now() < deadline; ++number) {
            if (!workload.run(test::workloadStep(number)))
                return 1;
            self.tell('s');
        }
        return 0;
    });

    // Both end at the deadline; their one-byte reports (far less than a pipe holds) wait.
    ASSERT_EQ(notifier.wait(), 0) << "the notification application saw a fault";
    ASSERT_EQ(editor.wait(), 0) << "the editor failed a step";
    unsigned rounds = 0;
    while (notifier.receive(0ms))
        ++rounds;
    unsigned steps = 0;
    while (editor.receive(0ms))
        ++steps;
    ASSERT_GT(rounds, 10u);
    ASSERT_GT(steps, 10u);

    test::WorkloadModel found;
    ASSERT_EQ(test::readWorkloadState(dir, found), "");
    test::WorkloadModel expected = test::WorkloadModel::initial();
    for (unsigned number = 0; number < steps; ++number)
        expected.apply(test::workloadStep(number));
    EXPECT_EQ(test::describe(found), test::describe(expected));

    const std::unique_ptr<RegistryStore> store = test::openTestStore(dir);
    const RegistryKey task = store->openKey(test::workloadTaskPath());
    const RegistryKey operatorKey = store->openKey(test::workloadOperatorPath());
    const std::string last = std::to_string(rounds);
    EXPECT_EQ(task.readString("File"), "/data/table" + last + ".dbf");
    EXPECT_EQ(task.readString("Comm"), "COM" + last);
    EXPECT_EQ(operatorKey.openKey("Диапазоны").readDword("Last"), rounds);
    EXPECT_EQ(operatorKey.openKey("Расписания").readString("Last"), last);
    EXPECT_EQ(store->openKey(test::workloadTemplatePath())
                  .openKey(test::KeptItem)
                  .readDword(NotifiedValue),
              rounds);
    std::cout << rounds << " notification rounds beside " << steps << " editor steps\n";
}

} // namespace vorela
