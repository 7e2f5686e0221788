// Versions kept in history.git: a restore gives back every byte and is recorded, the changes
// read in words, a damaged history or a failed read never passes for "nothing changed".
#include "platform/NamedMutex.h"
#include "soundbank/RiffBytes.h"
#include "support/ChildProcess.h"
#include "versions/ChangeWords.h"
#include "versions/LibraryFixture.h"
#include "versions/LibraryState.h"
#include "versions/VersionDiff.h"
#include "versions/VersionMessages.h"
#include "versions/VersionRestore.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vorela {
namespace {

using namespace std::chrono_literals;
using test::LibraryVariant;

std::string git(const test::LibraryFixture &library, const std::string &arguments)
{
    const std::string command = "git --git-dir '" + (library.dir.path() / "history.git").string() +
                                "' " + arguments + " 2>&1";
    std::string output;
    FILE *pipe = popen(command.c_str(), "r");
    for (char buffer[256]; pipe != nullptr && fgets(buffer, sizeof buffer, pipe) != nullptr;)
        output += buffer;
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    return status == 0 ? output : "failed: " + output;
}

VersionOutcome restore(test::LibraryFixture &library, const std::string &id)
{
    return restoreVersion(library.dir.dataDirectory(), *library.store, *library.history, id,
                          "tester", {.wait = 1s});
}

TEST(VersionsTest, RestoreGivesBackEveryByteAsANewVersion)
{
    test::LibraryFixture library;
    library.write(LibraryVariant::First, 800);
    const test::LibraryBytes first = library.bytes();
    const std::string firstId = library.save("first");
    library.write(LibraryVariant::Second, 1024);
    const test::LibraryBytes second = library.bytes();
    const std::string secondId = library.save("second");

    const VersionOutcome restored = restore(library, firstId);
    ASSERT_TRUE(restored.ok()) << restored.error;
    test::LibraryBytes now = library.bytes();
    EXPECT_EQ(now.editor, second.editor); // the window settings are no part of a version
    now.editor = first.editor;
    EXPECT_EQ(now, first);
    const VersionOutcome again =
        saveVersion(library.dir.dataDirectory(), *library.store, *library.history, "t", "m");
    EXPECT_TRUE(again.ok() && again.unchanged);

    // A restore over unsaved changes saves them first: nothing is lost.
    library.write(LibraryVariant::Second, 1024);
    ASSERT_TRUE(library.store->openKey("Software\\vorela\\Лексемы и функции\\3")
                    .writeString("text", "Жуки"));
    const VersionOutcome back = restore(library, secondId.substr(0, 10));
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_EQ(library.bytes(), second);
    EXPECT_EQ(git(library, "log --format=%s"), restoredMessage(secondId) + '\n' +
                                                   beforeRestoringMessage(secondId) + '\n' +
                                                   restoredMessage(firstId) + "\nsecond\nfirst\n");
    EXPECT_NE(git(library, "show HEAD~1:registry/lexemes.txt").find("Жуки"), std::string::npos);
    EXPECT_EQ(git(library, "fsck --strict --no-dangling"), "");
}

// Sounds are read as written here (stored), packed or compressed by git; each is checked by its id.
TEST(VersionsTest, ARestoreReadsEveryObjectFormAndRefusesAForgedOne)
{
    // The sound's object replaced by a valid one of the same size with one byte changed.
    const std::string forged =
        "o() { echo objects/$(echo $1 | cut -c1-2)/$(echo $1 | cut -c3-); }; "
        "a=$(git rev-parse FIRST:bank/sounds/00/0001) && git cat-file blob $a > s && "
        "printf Z | dd of=s bs=1 seek=9 conv=notrunc status=none && "
        "cp -f $(o $(git hash-object -w s)) $(o $a)";
    const struct {
        const char *form;
        std::string command;
        bool restores;
    } cases[] = {
        {"stored", "true", true},
        {"packed", "git repack -adq", true},
        {"compressed",
         "git repack -adq && mv objects/pack/*.pack p && rm objects/pack/* && "
         "git unpack-objects -q < p && rm p",
         true},
        {"forged", forged, false},
    };
    for (const auto &[form, command, restores] : cases) {
        test::LibraryFixture library;
        library.write(LibraryVariant::First);
        const test::LibraryBytes first = library.bytes();
        const std::string firstId = library.save("first");
        library.write(LibraryVariant::Second);
        (void)library.save("second"); // checked inside; its id is not needed
        const test::LibraryBytes second = library.bytes();
        std::string shell = command;
        for (std::size_t at; (at = shell.find("FIRST")) != std::string::npos;)
            shell.replace(at, 5, firstId);
        ASSERT_EQ(std::system(("cd '" + (library.dir.path() / "history.git").string() + "' && (" +
                               shell + ")")
                                  .c_str()),
                  0)
            << form;
        const VersionOutcome outcome = restore(library, firstId);
        EXPECT_EQ(outcome.ok(), restores) << form << ": " << outcome.error;
        EXPECT_EQ(outcome.error.find("not the one its id names") != std::string::npos, !restores)
            << form << ": " << outcome.error;
        test::LibraryBytes now = library.bytes();
        now.editor = first.editor;
        EXPECT_EQ(now, restores ? first : second) << form;
    }
}

TEST(VersionsTest, DiffTellsTheChangesInWords)
{
    test::LibraryFixture library;
    library.write(LibraryVariant::First);
    const std::string firstId = library.save("first");
    library.write(LibraryVariant::Second);
    LibraryFiles before;
    LibraryState now;
    std::string error;
    ASSERT_TRUE(library.history->read(firstId, before, error)) << error;
    ASSERT_TRUE(readLibraryState(library.dir.dataDirectory(), *library.store, now, error));
    std::vector<std::string> lines;
    ASSERT_TRUE(describeChanges(before, now.files, lines, error)) << error;
    const std::vector<std::string> expected = {
        "sound added: Ж_ | \"Жук\"",
        "sound changed: 0001 \"Раз\"",
        "currency sound changed: +RUB",
        "sound removed: +DLR \"Доллар \"США\"\n\"",
        "lexeme renamed: 1 \"Один\" -> \"Раз\"",
        "template Tasks\\Задача\\Операторы\\Оп: item added: \"Жук\" x",
        "template Tasks\\Задача\\Операторы\\Оп: item moved: \"Раз\"",
    };
    EXPECT_EQ(lines, expected);
    // The operator's words come from the same comparison.
    std::vector<LibraryChange> changes;
    ASSERT_TRUE(compareLibraries(before, now.files, changes, error)) << error;
    EXPECT_EQ(changeSummary(changes), "+1 звук, −1 звук, заменено 2 звука, переименована 1 "
                                      "лексема, изменён шаблон Задача / Оп");
}

// Every read of the registry made to fail in turn: the save fails, never "nothing changed".
TEST(VersionsTest, AFailedReadIsNeverNothingChanged)
{
    test::LibraryFixture library;
    library.write(LibraryVariant::First);
    (void)library.save("first");
    const DataDirectory data = library.dir.dataDirectory();
    for (unsigned nth = 1;; ++nth) {
        library.store->failRead(nth);
        const VersionOutcome outcome =
            saveVersion(data, *library.store, *library.history, "t", "m");
        if (!library.store->failureTriggered()) {
            library.store->failRead(std::nullopt);
            EXPECT_TRUE(outcome.unchanged) << "read " << nth << outcome.error;
            EXPECT_GT(nth, 10u);
            break;
        }
        EXPECT_FALSE(outcome.ok() || outcome.unchanged) << "read " << nth << outcome.error;
        library.store->failRead(std::nullopt);
        library.store = nullptr;
        std::string error;
        library.store = RegistryStore::open(data.registry(), error);
    }
    test::writeFile(data.currencyBank(), test::Bytes(40, 'x')); // no bank at all
    const VersionOutcome damaged = saveVersion(data, *library.store, *library.history, "t", "m");
    EXPECT_NE(damaged.error.find("currency.awf: not a readable bank"), std::string::npos);
}

TEST(VersionsTest, ADamagedHistoryLeavesTheLibraryAndTellsHowToStartAgain)
{
    const struct {
        const char *damage;
        const char *command;
    } cases[] = {
        {"HEAD", "printf 'ref: refs/heads/../../x' > HEAD"},
        {"objects", "rm -rf objects"},
        {"object files", "find objects -type f -exec truncate -s 10 {} +"},
        // libgit2 alone waits forever on an object cut short, as a failing disk leaves it.
        {"object files cut short", "find objects -type f -exec truncate -s -8 {} +"},
    };
    for (const auto &[damage, command] : cases) {
        test::LibraryFixture library;
        library.write(LibraryVariant::First);
        (void)library.save("first");
        library.write(LibraryVariant::Second);
        const test::LibraryBytes before = library.bytes();
        library.history = nullptr;
        const std::filesystem::path folder = library.dir.path() / "history.git";
        ASSERT_EQ(std::system(("cd '" + folder.string() + "' && " + command).c_str()), 0);

        // In a child, so that a save that never ends fails the test instead of stopping it.
        test::ChildProcess saving([&](test::ChildProcess &self) {
            const DataDirectory data = library.dir.dataDirectory();
            std::string error;
            const std::unique_ptr<RegistryStore> store =
                RegistryStore::open(data.registry(), error);
            const std::unique_ptr<History> history = History::open(data, error);
            if (store && history)
                error = saveVersion(data, *store, *history, "t", "m").error;
            const bool told = error.find("mv history.git history.git.damaged") != std::string::npos;
            if (!told)
                std::fprintf(stderr, "%s: %s\n", damage, error.c_str());
            self.tell(told ? 'y' : 'n');
            return 0;
        });
        EXPECT_EQ(saving.receive(30s), 'y') << damage << ": the save did not end, or said else";
        EXPECT_EQ(library.bytes(), before) << damage;
        std::string error;
        std::filesystem::rename(folder, library.dir.path() / "history.git.damaged");
        library.history = History::open(library.dir.dataDirectory(), error);
        ASSERT_TRUE(library.history) << error;
        EXPECT_FALSE(library.save("anew").empty()) << damage;
    }
}

TEST(VersionsTest, ARestoreWaitsForNoEditor)
{
    test::LibraryFixture library;
    library.write(LibraryVariant::First);
    const std::string firstId = library.save("first");
    library.write(LibraryVariant::Second);
    const test::LibraryBytes before = library.bytes();
    const DataDirectory data = library.dir.dataDirectory();
    test::ChildProcess editor([&data](test::ChildProcess &self) {
        NamedMutex instance(data, std::string(EditorMutexName));
        if (!instance.tryLock())
            return 1;
        self.tell('h');
        (void)self.await();
        return 0;
    });
    ASSERT_EQ(editor.receive(10s), 'h');
    const VersionOutcome outcome = restore(library, firstId);
    EXPECT_NE(outcome.error.find("an editor is open"), std::string::npos) << outcome.error;
    EXPECT_EQ(library.bytes(), before);
}

} // namespace
} // namespace vorela
