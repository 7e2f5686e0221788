// Template items expanded with values from a real task table and lexeme tables in a real store.
#include "speech/TemplateExpansion.h"
#include "platform/CodePage.h"
#include "platform/RegistryStore.h"
#include "speech/SpeechCases.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "stores/PatternItem.h"
#include "stores/RegistryPaths.h"
#include "support/TempDataDir.h"
#include "tables/DbfBuilder.h"

#include <memory>

namespace vorela {
namespace {

using test::DbfBuilder;

// "Иванов" as DOS code page 866 bytes.
const std::string IvanovCp866 = "\x88\xA2\xA0\xAD\xAE\xA2";

class TemplateExpansionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        store = RegistryStore::open(dir.path() / "registry.sqlite", error);
        ASSERT_TRUE(store) << error;
        DbfBuilder({{"PHONE", 'C', 20},
                    {"SUMMA", 'N', 10, 2},
                    {"NOSUM", 'N', 10, 2},
                    {"NODATE", 'D', 8},
                    {"HOUSE", 'C', 8},
                    {"FLAT", 'C', 4},
                    {"ACCOUNT", 'C', 10},
                    {"NAME", 'C', 10}})
            .record({"000"}, /*deleted=*/true)
            .record({"(044) 123-45-67", "1234.5", "", "", "12/3\xA0", "", "12-345", IvanovCp866})
            .write(dir.path() / "task.dbf");
        ASSERT_TRUE(store->createKey(std::string(TasksRootPath) + "Задача")
                        .writeString("File", (dir.path() / "task.dbf").string()));
        ASSERT_TRUE(
            store->createKey(std::string(TasksRootPath) + "Без базы").writeString("File", ""));
        // The same columns padded with NULs, as some writers leave blank fields.
        DbfBuilder({{"FLAT", 'C', 4}, {"NODATE", 'D', 8}, {"NOSUM", 'N', 10, 2}, {"NAME", 'C', 10}})
            .record({std::string(4, '\0'), std::string(8, '\0'), std::string(10, '\0'),
                     IvanovCp866 + std::string(4, '\0')})
            .write(dir.path() / "nul.dbf");
        ASSERT_TRUE(store->createKey(std::string(TasksRootPath) + "Нули")
                        .writeString("File", (dir.path() / "nul.dbf").string()));
        // A lexeme table whose chain runs 1 -> 2 -> 3 -> back to 1.
        writeEntry("7\\1", "", "2", "Петров", "|AAA");
        writeEntry("7\\2", "1", "3", " Иванов ", "|AAB");
        writeEntry("7\\3", "2", "1", "Пустой", "");
        aliases = std::make_unique<Aliases>(*store, dir.dataDirectory());
    }

    void writeEntry(const std::string &entryPath, const std::string &prev, const std::string &next,
                    const std::string &keyName, const std::string &chunk)
    {
        const RegistryKey entry = store->createKey(std::string(LexemeRootPath) + entryPath);
        ASSERT_TRUE(entry.writeString("prev", prev) && entry.writeString("next", next) &&
                    entry.writeString("keyname", keyName) && entry.writeString("chunk", chunk));
    }

    struct Case {
        const char *task;
        std::string chunk;
        std::string arg;
        std::vector<std::string> keys; // after the marker
        bool valid = true;
        std::string table = "7\\";
    };

    void expectExpansions(const std::vector<Case> &cases)
    {
        const FixedClock clock({2026, 12, 7}, {9, 5});
        const DbfTaskTableQuery tables;
        const LexItem lexemes(*store);
        for (const Case &c : cases) {
            SpeechComposer composer(clock, tables);
            composer.keysValid = false; // a function item forgets earlier failures
            const PatternItem item{.path = c.table, .chunk = c.chunk, .arg = c.arg};
            composer.ExpandTemplateItem({*aliases, *store, lexemes}, c.task, item, "17");
            std::vector<std::string> expected = {"----17"};
            expected.insert(expected.end(), c.keys.begin(), c.keys.end());
            EXPECT_EQ(composer.keySequence, expected) << c.chunk << " " << c.arg;
            if (c.chunk.starts_with("@")) {
                EXPECT_EQ(composer.keysValid, c.valid) << c.chunk << " " << c.arg;
            }
        }
    }

    test::TempDataDir dir;
    std::unique_ptr<RegistryStore> store;
    std::unique_ptr<Aliases> aliases;
};

TEST_F(TemplateExpansionTest, FixedEmptyAndSilentItems)
{
    expectExpansions({
        {"Задача", "_001", "", {"_001"}},
        {"Задача", "____", "", {"NULL"}},
        {"Задача", "@005", "SUMMA", {}},
        {"Задача", "@099", "SUMMA", {}},
        {"Задача", "#002", "NAME", {}},
    });
}

TEST_F(TemplateExpansionTest, FunctionItemsSpeakTheirTableValues)
{
    expectExpansions({
        {"Задача", "@000", "PHONE", {"_040", "_005", "__PS", "_060", "_007"}},
        {"Задача",
         "@007",
         "SUMMA",
         {"_01A", "+13 ", "_200", "_030", "_004", "__PS", "+GRI", "_050", "+SSK"}},
        {"Задача", "@013", "'125,5'", {"_100", "_020", "_005", "__PS", "+EUR", "_005", "+CNV"}},
        {"Задача", "@003", "'0000/07/03'", {"_E03", "+T07"}},
        {"Задача", "@003", "'03.07.2008'", {}, false},
        {"Задача", "@008", "ACCOUNT", {"__PS", "_012", "__PS", "_300", "_040", "_005"}},
        {"Задача",
         "@008",
         "'123-456-789'",
         {"__PS", "_100", "_020", "_003", "__PS", "_400", "_050", "_006", "__PS", "_700", "_080",
          "_009"}},
        {"Задача", "@008", "'12-345-678-90'", {}},
        {"Задача", "@011", "HOUSE", {"HOME", "__PS", "_012", "___/", "__PS", "_003", "___А"}},
        {"Задача", "@002", "", {"_009", "+CLW", "_005", "+MNT"}},
    });
}

// A relative date carries its offset and case in its name as the tree shows it, in the editor's
// language; this one's Ukrainian name says another offset and case than its Russian one.
TEST_F(TemplateExpansionTest, RelativeDatesSpeakTheItemTextOfTheEditorsLanguage)
{
    std::string name;
    {
        LexItem lexemes(*store);
        name = lexemes.AppendChild("Дата +005 (им)", "@006", 2, 0, 0, "");
        ASSERT_FALSE(name.empty());
        ASSERT_TRUE(lexemes.GetChild(name)->SetText1("Дата +003 (рд)"));
    }
    // Aliases hands out the Russian name whatever the language.
    const PatternItem item{
        .name = "0001", .path = name + "\\", .text = "Дата +005 (им)", .chunk = "@006"};
    PatternItem bound = item;
    bound.arg = "'1'";
    const FixedClock clock({2026, 12, 7}, {9, 5});
    const DbfTaskTableQuery tables;
    struct Shown {
        std::uint32_t language;
        std::string text;
        std::vector<std::string> keys;
    };
    for (const Shown &c : {Shown{0, "Дата +005 (им)", {"----0001", "_E12", "+T12"}},
                           Shown{1, "Дата +003 (рд)", {"----0001", "_O10", "+T12"}}}) {
        const RegistryKey editor = store->createKey(std::string(EditorKeyPath));
        ASSERT_TRUE(editor.writeDword("Language", c.language));
        const LexItem lexemes(*store);
        EXPECT_EQ(templateItemText(lexemes, item), c.text);
        EXPECT_EQ(templateItemText(lexemes, bound), c.text + "('1')");
        SpeechComposer composer(clock, tables);
        expandTemplate(composer, {*aliases, *store, lexemes}, "Задача", std::span(&item, 1));
        EXPECT_EQ(composer.keySequence, c.keys) << "language " << c.language;
        EXPECT_TRUE(composer.keysValid);
    }
}

TEST_F(TemplateExpansionTest, EmptyValuesSpeakZeroTodayOrNothing)
{
    expectExpansions({
        {"Задача", "@007", "NOSUM", {"_000", "__PS", "+GRE"}},
        {"Задача", "@004", "NODATE", {"_O07", "+T12"}},
        {"Задача", "@012", "FLAT", {"NULL"}},
        {"Задача", "@000", "NAME FROM other.dbf", {"NULL"}},
        {"Без базы", "@009", "'12,50'", {"_000", "__PS", "+RRE"}},
        {"Без базы", "@003", "DATE", {"_E07", "+T12"}},
        {"Без базы", "@011", "HOUSE", {"NULL"}},
        {"Нет такой", "@001", "PHONE", {"NULL"}},
    });
}

TEST_F(TemplateExpansionTest, NulPaddedValuesAreBlankOrTrimmed)
{
    expectExpansions({
        {"Нули", "@012", "FLAT", {"NULL"}},
        {"Нули", "@004", "NODATE", {"_O07", "+T12"}},
        {"Нули", "@007", "NOSUM", {"_000", "__PS", "+GRE"}},
        {"Нули", "#001", "NAME", {"|AAB"}},
    });
}

TEST_F(TemplateExpansionTest, TableItemsChooseTheEntryByKeyName)
{
    expectExpansions({
        {"Задача", "#001", "NAME", {"|AAB"}},
        {"Задача", "#001", "'Петров'", {"|AAA"}},
        {"Задача", "#001", "'Пустой'", {"NULL"}},  // a matching entry without a sound
        {"Задача", "#001", "'Сидоров'", {"NULL"}}, // the looped chain ends
        {"Задача", "#001", "FLAT", {"NULL"}},
        {"Без базы", "#001", "NAME", {"NULL"}},
    });
}

TEST_F(TemplateExpansionTest, TableEntriesFollowLinksWrittenInAnotherCase)
{
    // Names match in any case: ASCII, Latin-1 and Cyrillic with Ё.
    writeEntry("8\\abc", "", "ЁЖ", "Первый", "|AAC");
    writeEntry("8\\ёж", "ABC", "CAFÉ", "Второй", "|AAD");
    writeEntry("8\\café", "ЁЖ", "", "Третий", "|AAE");
    expectExpansions({
        {"Задача", "#001", "'Второй'", {"|AAD"}, true, "8\\"},
        {"Задача", "#001", "'Третий'", {"|AAE"}, true, "8\\"},
    });
}

} // namespace
} // namespace vorela
