// A product bank on disk that a test rewrites through SoundBank, with file faults on request.
#pragma once

#include "platform/FileFaults.h"
#include "soundbank/RiffBytes.h"
#include "soundbank/SoundBank.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vorela::test {

/// The caption the bank's messages carry in these tests.
inline const std::string BankTestTitle = "Проигрыватель - Лексема";

class BankFileTest : public ::testing::Test {
protected:
    /// Writes bytes as the product bank, before the rewrite under test.
    void writeBank(const Bytes &bytes)
    {
        soundBank.setWindowTitle(BankTestTitle);
        writeFile(bankPath(), bytes);
    }

    std::filesystem::path bankPath() const { return dir.dataDirectory().productBank(); }
    Bytes bankBytes() const { return readFile(bankPath()); }
    bool temporaryLeft() const
    {
        return std::filesystem::exists(dir.dataDirectory().temporaryBank());
    }

    TempDataDir dir;
    ScriptedUiServices ui;
    FileFaults faults;
    SoundBank soundBank{dir.dataDirectory(), ui, &faults};
};

} // namespace vorela::test
