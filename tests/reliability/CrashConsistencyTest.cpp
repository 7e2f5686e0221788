// An editor killed at random moments while it rewrites the bank and changes lexemes and
// templates: after every kill the bank reads whole with each chunk's old or new value, every chain
// is whole, nothing finished is lost, and a left-over "vorela.tmp" does not disturb the next save.
#include "reliability/EditorWorkload.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <thread>

namespace vorela {

using namespace std::chrono_literals;

namespace {

constexpr int Kills = 60;

// Runs the series from step `first` until killed, telling the test after each finished step.
int runEditor(const test::TempDataDir &dir, unsigned first, test::ChildProcess &self)
{
    test::EditorWorkload editor(dir);
    for (unsigned number = first;; ++number) {
        if (!editor.run(test::workloadStep(number)))
            return 1;
        self.tell('s');
    }
}

test::WorkloadModel after(test::WorkloadModel model, unsigned first, unsigned steps)
{
    for (unsigned number = first; number < first + steps; ++number)
        model.apply(test::workloadStep(number));
    return model;
}

// A temporary file as a crash during a rewrite could leave it: longer than the bank, not a bank.
void plantTemporaryFile(const test::TempDataDir &dir)
{
    std::ofstream junk(dir.dataDirectory().temporaryBank(), std::ios::binary);
    const std::string block(4096, '\x5a');
    for (int i = 0; i < 64; ++i)
        junk << block;
}

} // namespace

TEST(CrashConsistencyTest, EveryKillLeavesOldOrNewStateWhole)
{
    const test::TempDataDir dir;
    test::writeWorkloadFixture(dir);
    test::WorkloadModel model = test::WorkloadModel::initial();
    unsigned next = 0;
    int leftovers = 0;
    int landed = 0; // kills after which the step in flight was found done
    std::mt19937 random(20261207);

    for (int kill = 0; kill < Kills; ++kill) {
        const unsigned waitSteps = random() % 6;
        const auto delay = std::chrono::microseconds(random() % 20000);
        const bool plant = kill % 5 == 4;
        if (plant && !std::filesystem::exists(dir.dataDirectory().temporaryBank()))
            plantTemporaryFile(dir);
        unsigned finished = 0;
        test::ChildProcess editor(
            [&](test::ChildProcess &self) { return runEditor(dir, next, self); });
        for (; finished < waitSteps; ++finished)
            ASSERT_EQ(editor.receive(20s), 's') << "kill " << kill << ": the editor stopped";
        std::this_thread::sleep_for(delay);
        editor.kill();
        ASSERT_EQ(editor.wait(), -1) << "kill " << kill << ": the editor failed a step";
        while (editor.receive(0ms))
            ++finished;

        test::WorkloadModel found;
        const std::string error = test::readWorkloadState(dir, found);
        ASSERT_EQ(error, "") << "kill " << kill << " after step " << next + finished;
        const test::WorkloadModel done = after(model, next, finished);
        const test::WorkloadModel alsoNext = after(done, next + finished, 1);
        ASSERT_TRUE(found == done || found == alsoNext)
            << "kill " << kill << " after step " << next + finished
            << "\nfound:    " << test::describe(found) << "\nexpected: " << test::describe(done)
            << "\nor:       " << test::describe(alsoNext);
        const unsigned applied = found == alsoNext ? finished + 1 : finished;
        landed += applied > finished && !(done == alsoNext) ? 1 : 0;
        model = found;
        next += applied;
        leftovers += std::filesystem::exists(dir.dataDirectory().temporaryBank()) ? 1 : 0;
    }

    // One more editor runs its steps to the end over whatever the last kill left.
    constexpr unsigned FinalSteps = 40;
    test::ChildProcess editor([&](test::ChildProcess &) {
        test::EditorWorkload workload(dir);
        for (unsigned number = next; number < next + FinalSteps; ++number) {
            if (!workload.run(test::workloadStep(number)))
                return 1;
        }
        return 0;
    });
    ASSERT_EQ(editor.wait(), 0);
    test::WorkloadModel found;
    ASSERT_EQ(test::readWorkloadState(dir, found), "");
    EXPECT_EQ(test::describe(found), test::describe(after(model, next, FinalSteps)));
    EXPECT_FALSE(std::filesystem::exists(dir.dataDirectory().temporaryBank()));
    std::cout << Kills << " kills survived over " << next
              << " steps; the step in flight had landed " << landed
              << " times; a temporary bank was left " << leftovers << " times\n";
}

} // namespace vorela
