// Writing the two states of the test library and reading back what a restore must reproduce.
#include "versions/LibraryFixture.h"

#include "platform/RegFile.h"
#include "soundbank/RiffBytes.h"
#include "versions/VersionSave.h"

#include <gtest/gtest.h>

namespace vorela::test {

LibraryFixture::LibraryFixture(unsigned soundCount, std::size_t soundBytes)
    : extraSounds(soundCount), extraBytes(soundBytes)
{
    std::string error;
    store = RegistryStore::open(dir.dataDirectory().registry(), error);
    history = History::open(dir.dataDirectory(), error);
    EXPECT_TRUE(store && history) << error;
}

static void writeKey(RegistryStore &store, const std::string &path,
                     const std::vector<RegistryValue> &values)
{
    const RegistryKey key = store.createKey("Software\\vorela\\" + path);
    for (const RegistryValue &value : values)
        ASSERT_TRUE(key.writeValue(value)) << path;
}

static RegistryValue text(const std::string &name, const std::string &value)
{
    return {.name = name, .type = ValueType::String, .text = value};
}

void LibraryFixture::write(LibraryVariant variant, std::uint32_t editorWidth)
{
    const bool first = variant == LibraryVariant::First;
    const RegistryKey product = store->createKey("Software\\vorela");
    (void)product.deleteSubkeyTree("Лексемы и функции");
    (void)product.deleteSubkeyTree("Tasks");
    const std::string lexemes = "Лексемы и функции\\";
    writeKey(*store, lexemes + "1",
             {text("text", first ? "Один" : "Раз"),
              text("chunk", "0001"),
              text("prev", ""),
              text("Next", "2"),
              {.name = "Mask", .type = ValueType::Binary, .bytes = {0, 7}}});
    writeKey(*store, lexemes + "2",
             {text("text", "Доллар \"США\"\n"),
              text("chunk", "+DLR"),
              text("prev", "1"),
              text("next", ""),
              {.name = "icon", .type = ValueType::Dword, .dword = 4}});
    writeKey(*store, lexemes + "3", {text("text", "Жук"), text("chunk", "Ж_ |")});
    const std::string items = "Tasks\\Задача\\Операторы\\Оп\\Шаблоны\\";
    writeKey(*store, "Tasks\\Задача", {text("File", "/t.dbf")});
    writeKey(*store, items + "0001",
             {text("Prev", first ? "" : "0002"), text("Next", first ? "0002" : ""),
              text("Path", "1\\")});
    writeKey(*store, items + "0002",
             {text("Prev", first ? "0001" : "0003"), text("Next", first ? "" : "0001"),
              text("Path", "2\\")});
    if (!first)
        writeKey(*store, items + "0003",
                 {text("Prev", ""), text("Next", "0002"), text("Path", "3\\"), text("Arg", "x")});
    writeKey(*store, "Editor", {{.name = "Width", .type = ValueType::Dword, .dword = editorWidth}});

    std::vector<Bytes> sounds = {chunk("0001", samples(first ? 400 : 500)),
                                 first ? chunk("+DLR", Bytes(301, 9))
                                       : chunk("\xC6_ |", samples(30, 7))};
    for (unsigned number = 0; number < extraSounds; ++number) {
        char id[5];
        std::snprintf(id, sizeof id, "%04u", 1000 + number);
        sounds.push_back(chunk(id, samples(extraBytes / 2, first ? 1 : 2)));
    }
    writeFile(dir.dataDirectory().productBank(), bank(sounds));
    writeFile(dir.dataDirectory().currencyBank(), bank({chunk("+RUB", samples(first ? 20 : 21))}));
}

LibraryBytes LibraryFixture::bytes()
{
    const auto fileText = [](const std::filesystem::path &path) {
        const Bytes content = readFile(path);
        return std::string(content.begin(), content.end());
    };
    return {exportRegText(*store, "HKEY_LOCAL_MACHINE\\Software\\vorela\\Лексемы и функции") +
                exportRegText(*store, "HKEY_LOCAL_MACHINE\\Software\\vorela\\Tasks"),
            exportRegText(*store, "HKEY_LOCAL_MACHINE\\Software\\vorela\\Editor"),
            fileText(dir.dataDirectory().productBank()),
            fileText(dir.dataDirectory().currencyBank())};
}

std::string LibraryFixture::save(const std::string &message)
{
    const VersionOutcome outcome =
        saveVersion(dir.dataDirectory(), *store, *history, "tester", message);
    EXPECT_TRUE(outcome.ok() && !outcome.unchanged) << outcome.error;
    return outcome.id;
}

} // namespace vorela::test
