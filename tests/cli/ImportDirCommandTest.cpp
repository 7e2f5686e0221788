// `vorela bank import-dir` and `bank import` of recordings in other formats, as a real process
// on a registry of a few lexemes and recordings made by sox and lame.
#include "LexemeNodes.h"
#include "ToolProcess.h"
#include "platform/RegistryStore.h"
#include "soundbank/RiffBytes.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vorela {
namespace {

using test::chunk;
using test::samples;

class ImportDirCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::system("(command -v sox && command -v lame) >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "sox and lame make the recordings";
        std::string error;
        const std::unique_ptr<RegistryStore> store =
            RegistryStore::open(dir.dataDirectory().registry(), error);
        ASSERT_TRUE(store) << error;
        // "Два" twice with one sound is no ambiguity; "пять" names two sounds.
        test::writeLexemeNodes(*store, {{"1", "PRIV", "Приветствие"},
                                        {"2", "_001", "один"},
                                        {"3", "_002", "Два"},
                                        {"4", "_002", "два"},
                                        {"5", "_003", "три"},
                                        {"6", "_005", "пять"},
                                        {"7", "0005", "Пять"},
                                        {"8", "@009", "Сумма (руб)"},
                                        {"9", "____", "Граница"}});
        test::writeFile(dir.dataDirectory().productBank(), bank);
        std::filesystem::create_directory(folder);
    }

    void shell(const std::string &command) const
    {
        const std::string line =
            "cd '" + folder.string() + "' && (" + command + ") >/dev/null 2>&1";
        ASSERT_EQ(std::system(line.c_str()), 0) << command;
    }

    test::TempDataDir dir;
    std::filesystem::path folder = dir.path() / "records";
    const test::Bytes bank = test::bank({chunk("_003", samples(10)), chunk("0009", samples(4))});
};

TEST_F(ImportDirCommandTest, GoodFilesAreStoredOnceAndEveryOtherIsRefusedByName)
{
    shell("sox -n -r 8000 -b 16 -c 1 _003.wav synth 0.25 sine 500 && "
          "sox -n -r 44100 -c 2 -b 16 ОДИН.wav synth 0.5 sine 700 && "
          "sox -n -r 22050 -c 1 d.wav synth 0.5 sine 900 && lame --quiet d.wav два.mp3 && "
          "rm d.wav && cp _003.wav пять.wav && cp _003.wav десять.wav && cp _003.wav PRIV.wav && "
          "head -c 3000 /dev/urandom > _004.flac && echo text > notes.txt && mkdir sub && "
          "cp _003.wav Граница.wav && cp _003.wav @009.wav");
    const test::ToolRun run = test::runVorela(dir.path(), "bank import-dir " + folder.string());
    EXPECT_EQ(run.status, 2) << run.errors;
    EXPECT_EQ(run.output,
              "@009.wav\t-\trefused\tФайл «@009.wav» не взят: у «Сумма (руб)» нет своего звука "
              "— это функция, граница или таблица лексем.\n"
              "PRIV.wav\tPRIV\trefused\tФайл «PRIV.wav» не подходит: фраза приветствия в нём не "
              "заверена доверенным ключом.\n"
              "_003.wav\t_003\timported\t\n"
              "_004.flac\t-\trefused\tФайл «_004.flac» не взят: нет лексемы с таким кодом звука "
              "или текстом.\n"
              "notes.txt\t-\trefused\tФайл «notes.txt» не взят: это не звукозапись (нужен WAV, "
              "FLAC, Ogg или MP3).\n"
              "Граница.wav\t-\trefused\tФайл «Граница.wav» не взят: у «Граница» нет своего "
              "звука — это функция, граница или таблица лексем.\n"
              "ОДИН.wav\t_001\tconverted\tЗвук из файла «ОДИН.wav» (WAV, 44100 Гц, стерео, 16 "
              "бит) преобразован в 8000 Гц, моно, 16 бит.\n"
              "два.mp3\t_002\tconverted\tЗвук из файла «два.mp3» (MP3, 22050 Гц, моно) "
              "преобразован в 8000 Гц, моно, 16 бит.\n"
              "десять.wav\t-\trefused\tФайл «десять.wav» не взят: нет лексемы с таким кодом "
              "звука или текстом.\n"
              "пять.wav\t-\trefused\tФайл «пять.wav» не взят: такой текст у нескольких лексем "
              "(_005, 0005).\n"
              "sub\t-\tskipped\tПапка «sub» пропущена: вложенные папки не просматриваются.\n");

    const test::ToolRun list = test::runVorela(dir.path(), "bank list");
    ASSERT_EQ(list.status, 0);
    EXPECT_EQ(list.output.substr(0, list.output.find('\n')), "_003\t36\t4000\t0.25");
    EXPECT_NE(list.output.find("\n0009\t"), std::string::npos);
    EXPECT_NE(list.output.find("\n_001\t"), std::string::npos);
    EXPECT_NE(list.output.find("\n_002\t"), std::string::npos);
    EXPECT_EQ(list.output.find("PRIV"), std::string::npos);
}

TEST_F(ImportDirCommandTest, TwoFilesForOneLexemeAreBothRefused)
{
    shell("sox -n -r 8000 -b 16 -c 1 _001.wav synth 0.1 sine 500 && cp _001.wav один.wav");
    const test::ToolRun run = test::runVorela(dir.path(), "bank import-dir " + folder.string());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output, "_001.wav\t_001\trefused\tФайл «_001.wav» не взят: звук «_001» дают "
                          "несколько файлов (_001.wav, один.wav).\n"
                          "один.wav\t_001\trefused\tФайл «один.wav» не взят: звук «_001» дают "
                          "несколько файлов (_001.wav, один.wav).\n");
    EXPECT_EQ(test::readFile(dir.dataDirectory().productBank()), bank);
}

TEST_F(ImportDirCommandTest, AFolderOfNothingToImportSaysSo)
{
    const std::string command = "bank import-dir " + folder.string();
    EXPECT_EQ(test::runVorela(dir.path(), command).errors,
              "vorela: " + folder.string() + ": no file or subfolder to import\n");
    shell("mkdir 2024");
    const test::ToolRun run = test::runVorela(dir.path(), command);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output,
              "2024\t-\tskipped\tПапка «2024» пропущена: вложенные папки не просматриваются.\n");
    EXPECT_EQ(run.errors, "vorela: " + folder.string() + ": nothing imported\n");
}

TEST_F(ImportDirCommandTest, AllImportedExitsZeroAndAnUnreadableBankExitsOne)
{
    shell("sox -n -r 48000 -c 2 -b 24 три.wav synth 0.5 sine 500");
    EXPECT_EQ(test::runVorela(dir.path(), "bank import-dir " + folder.string()).status, 0);

    // A bank that cannot be read cannot be kept as a version first: nothing is imported.
    test::writeFile(dir.dataDirectory().productBank(), {'n', 'o'});
    const test::ToolRun run = test::runVorela(dir.path(), "bank import-dir " + folder.string());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "");
    EXPECT_NE(run.errors.find("no version could be kept before importing"), std::string::npos)
        << run.errors;
    EXPECT_EQ(test::readFile(dir.dataDirectory().productBank()), (test::Bytes{'n', 'o'}));
}

TEST_F(ImportDirCommandTest, ImportOfOneRecordingSaysWhatWasConverted)
{
    shell("sox -n -r 11025 -c 1 -b 8 -e unsigned r.wav synth 0.5 sine 500");
    const test::ToolRun run =
        test::runVorela(dir.path(), "bank import _001 " + (folder / "r.wav").string());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.errors, "vorela: Звук из файла «r.wav» (WAV, 11025 Гц, моно, 8 бит) "
                          "преобразован в 8000 Гц, моно, 16 бит.\n");
}

} // namespace
} // namespace vorela
