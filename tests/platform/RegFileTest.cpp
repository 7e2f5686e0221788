#include "platform/RegFile.h"

#include "platform/CodePage.h"
#include "platform/RegistryStore.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace vorela {

static std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

static std::vector<std::uint8_t> utf16leWithBom(std::string_view ascii)
{
    std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
    for (const char character : ascii) {
        bytes.push_back(static_cast<std::uint8_t>(character));
        bytes.push_back(0);
    }
    return bytes;
}

class RegFileTest : public ::testing::Test {
protected:
    std::unique_ptr<RegistryStore> openStore()
    {
        std::string error;
        return RegistryStore::open(dir.dataDirectory().registry(), error);
    }

    RegFileResult import(const std::vector<std::uint8_t> &bytes)
    {
        return importRegBytes(*store, bytes, "test.reg");
    }

    test::TempDataDir dir;
    std::unique_ptr<RegistryStore> store = openStore();
};

TEST_F(RegFileTest, EachAcceptedEncodingImportsTheSameTree)
{
    const std::string body = "\r\n[HKEY_LOCAL_MACHINE\\Software\\vorela\\Editor]\r\n"
                             "\"Language\"=dword:00000001\r\n\"Name\"=\"Ворела\"\r\n";
    const std::vector<std::vector<std::uint8_t>> files = {
        bytesOf("REGEDIT4" + utf8ToCp1251(body)),
        bytesOf("\xEF\xBB\xBFWindows Registry Editor Version 5.00" + body),
        bytesOf("REGEDIT4" + body),
    };
    for (const std::vector<std::uint8_t> &file : files) {
        (void)store->localMachine().deleteSubkeyTree("Software"); // absent the first time
        const RegFileResult result = import(file);
        ASSERT_TRUE(result.ok) << result.reason;
        const RegistryKey editor = store->openKey("Software\\vorela\\Editor");
        EXPECT_EQ(editor.readDword("language"), 1u);
        EXPECT_EQ(editor.readString("name"), "Ворела");
    }
    std::vector<std::uint8_t> wide = utf16leWithBom(
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\W]\r\n\"a\"=\"b\"\r\n");
    EXPECT_TRUE(import(wide).ok);
    EXPECT_EQ(store->openKey("W").readString("a"), "b");
}

TEST_F(RegFileTest, DeletionsAndContinuedHexLines)
{
    const RegistryKey key = store->createKey("K\\Sub\\Deep");
    ASSERT_TRUE(key.writeString("x", "1"));
    ASSERT_TRUE(store->createKey("K").writeString("gone", "1"));
    const RegFileResult result = import(bytesOf(
        "REGEDIT4\n\n; a comment\n[-HKEY_LOCAL_MACHINE\\K\\Sub]\n[-HKEY_LOCAL_MACHINE\\Absent]\n"
        "[HKEY_LOCAL_MACHINE\\K]\n\"gone\"=-\n\"absent\"=-\n"
        "\"bin\"=hex:00,ff,\\\n  10\n@=\"default\"\n"
        "\"q\"=\"a \\\"b\\\" c:\\\\d\"\n"));
    ASSERT_TRUE(result.ok) << result.reason;
    const RegistryKey k = store->openKey("K");
    EXPECT_FALSE(k.openKey("Sub").isOpen());
    EXPECT_FALSE(k.hasValue("gone"));
    EXPECT_EQ(k.readBinary("bin"), (std::vector<std::uint8_t>{0x00, 0xFF, 0x10}));
    EXPECT_EQ(k.readString(""), "default");
    EXPECT_EQ(k.readString("q"), "a \"b\" c:\\d");
}

TEST_F(RegFileTest, ABadLineImportsNothingAndNamesTheLine)
{
    const struct {
        const char *text;
        const char *line;
    } cases[] = {
        {"REGEDIT5\n[HKEY_LOCAL_MACHINE\\A]\n", "test.reg:1"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=dword:123456789\n", "test.reg:3"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=hex:0g\n", "test.reg:3"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=hex(2):00\n", "test.reg:3"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=\"open\n", "test.reg:3"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"\n", "test.reg:3"},
        {"REGEDIT4\n\"v\"=\"1\"\n", "test.reg:2"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n", "test.reg:2"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\n", "test.reg:2"},
    };
    for (const auto &entry : cases) {
        const RegFileResult result = import(bytesOf(entry.text));
        EXPECT_FALSE(result.ok) << entry.text;
        EXPECT_NE(result.reason.find(entry.line), std::string::npos) << result.reason;
        EXPECT_FALSE(store->openKey("A").isOpen()) << entry.text;
    }
}

TEST_F(RegFileTest, ExportThenImportReproducesTheStoreExactly)
{
    const RegistryKey root = store->createKey("Software\\vorela");
    const RegistryKey lexemes = root.createKey("Лексемы и функции\\1");
    ASSERT_TRUE(lexemes.writeString("text", "Путь \"3\\4\\\" и ;"));
    ASSERT_TRUE(lexemes.writeString("Lines", "first\r\nsecond"));
    ASSERT_TRUE(lexemes.writeString("", ""));
    ASSERT_TRUE(lexemes.writeDword("mask", 0xFFFFFFFF));
    const std::vector<std::uint8_t> bytes = {0, 1, 2, 0xFE};
    ASSERT_TRUE(lexemes.writeBinary("blob", bytes));
    ASSERT_TRUE(lexemes.writeBinary("empty", {}));
    ASSERT_TRUE(root.createKey("Editor\\Ёмкость").isOpen());

    const std::filesystem::path file = dir.path() / "out.reg";
    ASSERT_TRUE(exportRegFile(*store, "HKEY_LOCAL_MACHINE\\software\\VORELA", file).ok);
    const std::string before = exportRegText(*store, "HKEY_LOCAL_MACHINE");
    std::ifstream input(file, std::ios::binary);
    const std::vector<std::uint8_t> exported((std::istreambuf_iterator<char>(input)),
                                             std::istreambuf_iterator<char>());
    ASSERT_GE(exported.size(), 2u);
    EXPECT_EQ(exported[0], 0xFF);
    EXPECT_EQ(exported[1], 0xFE);

    ASSERT_TRUE(store->localMachine().deleteSubkeyTree("Software"));
    const RegFileResult result = importRegFile(*store, file);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(exportRegText(*store, "HKEY_LOCAL_MACHINE"), before);
    EXPECT_EQ(store->openKey("Software\\vorela\\Лексемы и функции\\1").readString("Lines"),
              "first\r\nsecond");
    EXPECT_TRUE(exportRegText(*store, "HKEY_LOCAL_MACHINE\\Missing").empty());
}

} // namespace vorela
