// A data directory with a small library in one of two states, for the version tests: lexemes,
// a template, window settings, a product bank and a currency bank, written by readable code.
#pragma once

#include "platform/RegistryStore.h"
#include "support/TempDataDir.h"
#include "versions/History.h"

#include <memory>
#include <string>

namespace vorela::test {

enum class LibraryVariant { First, Second };

/// What a restore must give back exactly, and the window settings it must leave alone.
struct LibraryBytes {
    std::string branches; // the lexeme and task branches as .reg text
    std::string editor;   // the window settings as .reg text
    std::string productBank;
    std::string currencyBank;

    bool operator==(const LibraryBytes &) const = default;
};

class LibraryFixture {
public:
    /// soundCount sounds of soundBytes each beside the named ones (a larger bank for the kill
    /// test).
    explicit LibraryFixture(unsigned soundCount = 0, std::size_t soundBytes = 0);

    /// Replaces the library by the variant; the window settings get editorWidth.
    void write(LibraryVariant variant, std::uint32_t editorWidth = 800);
    [[nodiscard]] LibraryBytes bytes();
    /// A new version of the library as it is; its id.
    [[nodiscard]] std::string save(const std::string &message);

    TempDataDir dir;
    std::unique_ptr<RegistryStore> store;
    std::unique_ptr<History> history;

private:
    unsigned extraSounds;
    std::size_t extraBytes;
};

} // namespace vorela::test
