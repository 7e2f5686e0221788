// Versions signed with real OpenSSH keys: git itself accepts them, and the check tells unsigned,
// forged, tampered and trusted apart; a check or a signing that cannot run never passes.
#include "versions/SignedCommits.h"
#include "platform/ExternalProgram.h"
#include "versions/LibraryFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace vorela {
namespace {

class SignedCommitsTest : public testing::Test {
protected:
    void SetUp() override
    {
        library.write(test::LibraryVariant::First);
        parent = library.save("first");
        std::string error;
        tree = library.history->treeOf(parent, error).value_or("");
        makeKey("publisher", "");
        makeKey("stranger", "");
        std::ofstream(allowedSigners) << "publisher@vorela " << publicKey("publisher") << "\n";
    }

    void makeKey(const std::string &name, const std::string &passphrase)
    {
        const ProgramRun made = runProgram({"ssh-keygen", "-q", "-t", "ed25519", "-N", passphrase,
                                            "-C", name, "-f", key(name).string()});
        ASSERT_TRUE(made.succeeded()) << made.errors;
    }
    std::filesystem::path key(const std::string &name) const { return library.dir.path() / name; }
    std::string publicKey(const std::string &name) const
    {
        std::string type;
        std::string blob;
        std::ifstream(key(name).string() + ".pub") >> type >> blob;
        return type + " " + blob;
    }
    git_repository &repository() { return library.history->gitRepository(); }
    std::string sign(const std::string &keyName)
    {
        std::string error;
        const std::optional<std::string> id = writeSignedCommit(
            repository(), tree, {parent}, "publisher", "published", key(keyName), error);
        EXPECT_TRUE(id) << error;
        return id.value_or("");
    }
    GitOdb objects()
    {
        git_odb *odb = nullptr;
        EXPECT_EQ(git_repository_odb(&odb, &repository()), 0);
        return GitOdb(odb);
    }
    std::size_t objectCount()
    {
        std::size_t count = 0;
        git_odb_foreach(objects().get(), countObject, &count);
        return count;
    }
    static int countObject(const git_oid *, void *count)
    {
        ++*static_cast<std::size_t *>(count);
        return 0;
    }
    // The raw commit with other content under the same signature header.
    std::string rewrite(const std::string &id, const std::string &from, const std::string &to)
    {
        const GitOdb odb = objects();
        git_oid oid;
        git_odb_object *raw = nullptr;
        EXPECT_EQ(git_oid_fromstr(&oid, id.c_str()), 0);
        EXPECT_EQ(git_odb_read(&raw, odb.get(), &oid), 0);
        const GitOdbObject object(raw);
        std::string text(static_cast<const char *>(git_odb_object_data(object.get())),
                         git_odb_object_size(object.get()));
        const std::size_t at = text.rfind(from);
        EXPECT_NE(at, std::string::npos);
        text.replace(at, from.size(), to);
        git_oid written;
        EXPECT_EQ(git_odb_write(&written, odb.get(), text.data(), text.size(), GIT_OBJECT_COMMIT),
                  0);
        return hexId(written);
    }

    test::LibraryFixture library;
    std::string parent;
    std::string tree;
    std::filesystem::path allowedSigners = library.dir.path() / "trusted-publishers";
};

TEST_F(SignedCommitsTest, SignedVersionIsAcceptedByGitAndTrusted)
{
    const std::string id = sign("publisher");
    const ProgramRun verified = runProgram(
        {"git", "--git-dir", (library.dir.path() / "history.git").string(), "-c", "gpg.format=ssh",
         "-c", "gpg.ssh.allowedSignersFile=" + allowedSigners.string(), "verify-commit", id});
    EXPECT_TRUE(verified.succeeded()) << verified.errors;

    SignatureCheck check;
    std::string error;
    ASSERT_TRUE(checkCommitSignature(repository(), id, allowedSigners, check, error)) << error;
    EXPECT_EQ(check.verdict, SignatureVerdict::Trusted) << check.detail;
    EXPECT_EQ(check.signer, "publisher@vorela");
    std::optional<std::string> head;
    ASSERT_TRUE(library.history->head(head, error));
    EXPECT_EQ(head, parent); // writing a signed version moves no reference
}

TEST_F(SignedCommitsTest, VerdictsAndChecksThatCannotRun)
{
    const std::string forged = sign("stranger");
    const struct {
        const char *name;
        std::string id;
        SignatureVerdict verdict;
    } cases[] = {
        {"unsigned", parent, SignatureVerdict::Unsigned},
        {"forged", forged, SignatureVerdict::Untrusted},
        {"tampered", rewrite(sign("publisher"), "published", "pwned"), SignatureVerdict::Invalid},
        {"forged and tampered", rewrite(forged, "published", "pwned"), SignatureVerdict::Invalid},
        {"damaged signature", rewrite(forged, "-----END SSH", "-----END SH"),
         SignatureVerdict::Invalid},
    };
    const std::filesystem::path noTools = library.dir.path() / "no-tools";
    std::filesystem::create_directory(noTools);
    const std::string path = std::getenv("PATH");
    for (const auto &tested : cases) {
        SCOPED_TRACE(tested.name);
        SignatureCheck check;
        std::string error;
        ASSERT_TRUE(checkCommitSignature(repository(), tested.id, allowedSigners, check, error))
            << error;
        EXPECT_EQ(check.verdict, tested.verdict) << check.detail;
        EXPECT_TRUE(check.signer.empty());

        EXPECT_FALSE(checkCommitSignature(repository(), tested.id, library.dir.path() / "none",
                                          check, error));
        EXPECT_NE(error.find("none"), std::string::npos) << error;
        if (tested.verdict == SignatureVerdict::Unsigned)
            continue; // an unsigned version needs no ssh-keygen to be told apart
        setenv("PATH", noTools.c_str(), 1);
        error.clear();
        const bool checked =
            checkCommitSignature(repository(), tested.id, allowedSigners, check, error);
        setenv("PATH", path.c_str(), 1);
        EXPECT_FALSE(checked);
        EXPECT_EQ(error, "ssh-keygen not found: install openssh-client");
    }
}

TEST_F(SignedCommitsTest, SigningWithoutAUsableKeyFailsAndWritesNothing)
{
    makeKey("locked", "a passphrase");
    std::ofstream(library.dir.path() / "garbage") << "not a key\n";
    const std::size_t before = objectCount();
    for (const char *keyName : {"missing", "garbage", "locked", "."}) {
        SCOPED_TRACE(keyName);
        std::string error;
        EXPECT_FALSE(writeSignedCommit(repository(), tree, {parent}, "publisher", "published",
                                       key(keyName), error));
        EXPECT_NE(error.find(key(keyName).string()), std::string::npos) << error;
    }
    EXPECT_EQ(objectCount(), before);
}

} // namespace
} // namespace vorela
