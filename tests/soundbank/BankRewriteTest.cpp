// SaveSound and RemoveSound on real bank files: the bytes they leave, their messages, and every
// failing write, fsync and rename of the rewrite.
#include "soundbank/SoundBank.h"

#include "platform/FileFaults.h"
#include "soundbank/BankFileTest.h"
#include "soundbank/RiffBytes.h"
#include "soundbank/WaveFile.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vorela {
namespace {

using test::Bytes;
using test::chunk;
using test::samples;
using test::sampleValues;

const std::string &Title = test::BankTestTitle;
const char *const NotConfirmedText =
    "Банк звуков изменён, но запись на диск не подтверждена: при сбое питания изменение может "
    "пропасть.";
const char *const RetryText = "Ошибка сохранения файла!\r\nВозможно в данный момент происходит "
                              "оповещение абонента. \r\nДля успешного завершения операции "
                              "приостановите выполнение заданий в приложении \"ВОРЕЛА\" и "
                              "повторите попытку.\r\n";

enum class Rewrite { Add, Replace, Remove };
constexpr Rewrite EveryRewrite[] = {Rewrite::Add, Rewrite::Replace, Rewrite::Remove};

/// Runs one rewrite of the test bank; true when it reported failure.
bool rewriteBank(SoundBank &soundBank, Rewrite rewrite)
{
    switch (rewrite) {
    case Rewrite::Add:
        return soundBank.SaveSound("0004", sampleValues(6, 60));
    case Rewrite::Replace:
        return soundBank.SaveSound("0002", sampleValues(6, 60));
    case Rewrite::Remove:
        return soundBank.RemoveSound("0002");
    }
    return true;
}

/// The test bank after the rewrite completed.
Bytes rewrittenBank(Rewrite rewrite)
{
    const Bytes sound = samples(6, 60);
    switch (rewrite) {
    case Rewrite::Add:
        return test::bank({chunk("0001", samples(3, 10)), chunk("0002", samples(5, 20)),
                           chunk("0003", samples(2, 30)), chunk("0004", sound)});
    case Rewrite::Replace:
        return test::bank(
            {chunk("0001", samples(3, 10)), chunk("0002", sound), chunk("0003", samples(2, 30))});
    case Rewrite::Remove:
        return test::bank({chunk("0001", samples(3, 10)), chunk("0003", samples(2, 30))});
    }
    return {};
}

/// Sets the process umask for the scope of a test.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : previous(::umask(mask)) {}
    ~ScopedUmask() { ::umask(previous); }
    ScopedUmask(const ScopedUmask &) = delete;
    ScopedUmask &operator=(const ScopedUmask &) = delete;

private:
    mode_t previous;
};

class BankRewriteTest : public test::BankFileTest {
protected:
    void SetUp() override { writeBank(oldBank); }

    const Bytes oldBank = test::bank({chunk("0001", samples(3, 10)), chunk("0002", samples(5, 20)),
                                      chunk("0003", samples(2, 30))});
};

TEST_F(BankRewriteTest, RemovingLeavesTheOtherChunksAndFinallyTheFormatAlone)
{
    EXPECT_FALSE(soundBank.RemoveSound("0002"));
    EXPECT_EQ(bankBytes(),
              test::bank({chunk("0001", samples(3, 10)), chunk("0003", samples(2, 30))}));
    EXPECT_FALSE(soundBank.RemoveSound("0001"));
    EXPECT_FALSE(soundBank.RemoveSound("0003"));
    EXPECT_EQ(bankBytes(), test::bank({}));
    EXPECT_FALSE(temporaryLeft());
}

TEST_F(BankRewriteTest, RemovingAnAbsentIdSucceedsAndTouchesNothing)
{
    const auto before = std::filesystem::last_write_time(bankPath());
    EXPECT_FALSE(soundBank.RemoveSound("0009"));
    EXPECT_FALSE(soundBank.RemoveSound("fmt "));
    EXPECT_EQ(bankBytes(), oldBank);
    EXPECT_EQ(std::filesystem::last_write_time(bankPath()), before);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(BankRewriteTest, RewritesDropWhatACrashLeftBeyondTheForm)
{
    test::writeFile(bankPath(), test::concat(oldBank, Bytes{'0', '0', '0', '9', 0x40, 0, 0, 0, 1}));
    EXPECT_FALSE(soundBank.SaveSound("0004", sampleValues(1, 1)));
    EXPECT_EQ(bankBytes(),
              test::bank({chunk("0001", samples(3, 10)), chunk("0002", samples(5, 20)),
                          chunk("0003", samples(2, 30)), chunk("0004", samples(1, 1))}));
}

TEST_F(BankRewriteTest, EveryRewriteKeepsTheBanksPermissionBits)
{
    // 0666 is what the umask would cut and 0604 what no default gives: neither can come about
    // by chance.
    const ScopedUmask umask(022);
    for (const mode_t mode : {mode_t{0604}, mode_t{0640}, mode_t{0666}}) {
        for (const Rewrite rewrite : EveryRewrite) {
            test::writeFile(bankPath(), oldBank);
            ASSERT_EQ(::chmod(bankPath().c_str(), mode), 0);
            ASSERT_FALSE(rewriteBank(soundBank, rewrite));
            struct stat status {};
            ASSERT_EQ(::stat(bankPath().c_str(), &status), 0);
            EXPECT_EQ(status.st_mode & 07777, mode) << static_cast<int>(rewrite);
        }
    }
}

TEST_F(BankRewriteTest, EveryRewriteSyncsTheFolderOnceAfterTheRename)
{
    for (const Rewrite rewrite : EveryRewrite) {
        test::writeFile(bankPath(), oldBank);
        faults.failNth(FileOperation::FolderFsync, 0);
        faults.failNth(FileOperation::Rename, 0);
        ASSERT_FALSE(rewriteBank(soundBank, rewrite));
        EXPECT_EQ(faults.count(FileOperation::Rename), 1);
        EXPECT_EQ(faults.count(FileOperation::FolderFsync), 1);
    }
}

TEST_F(BankRewriteTest, AFailedFolderSyncAfterTheRenameReportsTheNewBankWithAWarning)
{
    // The rename has put the new bank in place: the caller must go on as after a rewrite (keep
    // the new lexeme, drop the removed one), and the operator learns that it is not yet durable.
    for (const Rewrite rewrite : EveryRewrite) {
        test::writeFile(bankPath(), oldBank);
        faults.failNth(FileOperation::FolderFsync, 1);
        ui.expectMessage(NotConfirmedText, MessageAnswer::Ok);
        EXPECT_FALSE(rewriteBank(soundBank, rewrite));
        EXPECT_EQ(bankBytes(), rewrittenBank(rewrite));
        EXPECT_FALSE(temporaryLeft());
        ASSERT_TRUE(ui.finished());
        const MessageRequest &warning = ui.messages().back();
        EXPECT_EQ(warning.text, NotConfirmedText);
        EXPECT_EQ(warning.caption, rewrite == Rewrite::Remove ? "" : Title);
        EXPECT_EQ(warning.icon, MessageIcon::Warning);
        EXPECT_EQ(warning.buttons, MessageButtons::Ok);
    }
}

TEST_F(BankRewriteTest, MissingOrBrokenBankIsReported)
{
    for (const Bytes &broken :
         {Bytes{}, Bytes(40, 'x'), test::riffWave({chunk("0001", samples(2))})}) {
        test::writeFile(bankPath(), broken);
        ui.expectMessage("Ошибка сохранения файла (0001)", MessageAnswer::Ok);
        EXPECT_TRUE(soundBank.SaveSound("0001", sampleValues(2, 2)));
        ui.expectMessage("mmioOpen1", MessageAnswer::Ok);
        EXPECT_TRUE(soundBank.RemoveSound("0001"));
        EXPECT_EQ(bankBytes(), broken);
    }
    std::filesystem::remove(bankPath());
    ui.expectMessage("Ошибка сохранения файла (0001)", MessageAnswer::Ok);
    EXPECT_TRUE(soundBank.SaveSound("0001", sampleValues(2, 2)));
    ASSERT_TRUE(ui.finished());
    EXPECT_EQ(ui.messages()[0].caption, Title);
    EXPECT_EQ(ui.messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(ui.messages()[1].caption, "");
    EXPECT_EQ(ui.messages()[1].icon, MessageIcon::Information);
    EXPECT_FALSE(temporaryLeft());
}

TEST_F(BankRewriteTest, TruncatedBanksAreRefusedOrRewrittenWhole)
{
    for (std::size_t length = 0; length < oldBank.size(); ++length) {
        const Bytes truncated(oldBank.begin(),
                              oldBank.begin() + static_cast<std::ptrdiff_t>(length));
        test::writeFile(bankPath(), truncated);
        const bool readable = length >= 36; // the RIFF header and the whole "fmt " chunk
        if (!readable)
            ui.expectMessage("Ошибка сохранения файла (0001)", MessageAnswer::Ok);
        EXPECT_EQ(soundBank.SaveSound("0004", sampleValues(2, 4)), !readable) << length;
        if (!readable) {
            ui.expectMessage("mmioOpen1", MessageAnswer::Ok);
            EXPECT_TRUE(soundBank.RemoveSound("0001")) << length;
            EXPECT_EQ(bankBytes(), truncated) << length;
            continue;
        }
        // Whatever the cut left of a chunk is dropped; every chunk of the new bank is whole.
        WaveFile bank;
        ASSERT_TRUE(bank.Open(bankPath())) << length;
        const std::vector<ChunkHeader> chunks = bank.chunks();
        ASSERT_FALSE(chunks.empty());
        EXPECT_EQ(chunks.back().id, ChunkId::fromText("0004")) << length;
        EXPECT_EQ(chunks.back().next(), bankBytes().size()) << length;
        EXPECT_EQ(test::u32At(bankBytes(), 4), bankBytes().size() - 8) << length;
    }
    EXPECT_TRUE(ui.finished());
}

TEST_F(BankRewriteTest, FailedReplaceOfTheBankAsksRetryOrCancel)
{
    for (const char *id : {"0009", "0002"}) {
        faults.failNth(FileOperation::Rename, 1);
        ui.expectMessage(RetryText, MessageAnswer::Retry);
        EXPECT_FALSE(soundBank.SaveSound(id, sampleValues(2, 2))) << id;
        ASSERT_TRUE(ui.finished());
        const MessageRequest &question = ui.messages().back();
        EXPECT_EQ(question.caption, Title);
        EXPECT_EQ(question.text, RetryText);
        EXPECT_EQ(question.icon, MessageIcon::Error);
        EXPECT_EQ(question.buttons, MessageButtons::RetryCancel);
        EXPECT_EQ(question.defaultAnswer, MessageAnswer::Cancel);
    }
    EXPECT_EQ(bankBytes(),
              test::bank({chunk("0001", samples(3, 10)), chunk("0002", samples(2, 2)),
                          chunk("0003", samples(2, 30)), chunk("0009", samples(2, 2))}));
}

struct FaultCase {
    Rewrite rewrite;
    FileOperation operation;
};

class BankRewriteFaultTest : public BankRewriteTest,
                             public ::testing::WithParamInterface<FaultCase> {
protected:
    bool runRewrite() { return rewriteBank(soundBank, GetParam().rewrite); }

    /// The message a failure at this operation shows, if any.
    const char *expectedMessage() const
    {
        const bool building = GetParam().operation == FileOperation::Write;
        switch (GetParam().rewrite) {
        case Rewrite::Add:
            return building ? "Ошибка сохранения файла (0003)" : RetryText;
        case Rewrite::Replace:
            return building ? "Ошибка сохранения файла (0002)" : RetryText;
        case Rewrite::Remove:
            return building ? "mmioOpen2" : nullptr;
        }
        return nullptr;
    }
};

TEST_P(BankRewriteFaultTest, EachFailingStepReturnsFailedAndLeavesTheOldBank)
{
    const FileOperation operation = GetParam().operation;
    int nth = 1;
    for (;; ++nth) {
        test::writeFile(bankPath(), oldBank);
        faults.failNth(operation, nth);
        if (expectedMessage() != nullptr)
            ui.expectMessage(expectedMessage(), MessageAnswer::Cancel);
        const bool failed = runRewrite();
        if (!failed)
            break;
        EXPECT_EQ(bankBytes(), oldBank) << nth;
        EXPECT_FALSE(temporaryLeft()) << nth;
        ASSERT_TRUE(ui.finished()) << nth;
    }
    EXPECT_GT(nth, 1);
    EXPECT_EQ(bankBytes(), rewrittenBank(GetParam().rewrite));
    EXPECT_FALSE(temporaryLeft());
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, BankRewriteFaultTest,
                         ::testing::Values(FaultCase{Rewrite::Add, FileOperation::Write},
                                           FaultCase{Rewrite::Add, FileOperation::Fsync},
                                           FaultCase{Rewrite::Add, FileOperation::Rename},
                                           FaultCase{Rewrite::Replace, FileOperation::Write},
                                           FaultCase{Rewrite::Replace, FileOperation::Fsync},
                                           FaultCase{Rewrite::Replace, FileOperation::Rename},
                                           FaultCase{Rewrite::Remove, FileOperation::Write},
                                           FaultCase{Rewrite::Remove, FileOperation::Fsync},
                                           FaultCase{Rewrite::Remove, FileOperation::Rename}));

} // namespace
} // namespace vorela
