// One open file for positioned binary reads and writes, over POSIX descriptors.
#include "platform/BinaryFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace vorela {

// Large blocks keep a 50 MB bank rewrite close to the speed of a plain file copy.
static constexpr std::size_t CopyBlockBytes = 4 << 20;

static bool isCopyUnsupported(int error)
{
    return error == EXDEV || error == ENOSYS || error == EINVAL || error == EOPNOTSUPP;
}

BinaryFile::~BinaryFile()
{
    close();
}

BinaryFile::BinaryFile(BinaryFile &&other) noexcept
    : descriptor(std::exchange(other.descriptor, -1)), faults(other.faults)
{
}

BinaryFile &BinaryFile::operator=(BinaryFile &&other) noexcept
{
    if (this != &other) {
        close();
        descriptor = std::exchange(other.descriptor, -1);
        faults = other.faults;
    }
    return *this;
}

bool BinaryFile::open(const std::filesystem::path &path, Access access, FileFaults *fileFaults)
{
    close();
    const int flags = (access == Access::Read ? O_RDONLY : O_RDWR) | O_CLOEXEC;
    descriptor = ::open(path.c_str(), flags);
    faults = fileFaults;
    if (descriptor < 0)
        return false;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        close();
        return false;
    }
    return true;
}

bool BinaryFile::create(const std::filesystem::path &path, unsigned permissions,
                        FileFaults *fileFaults)
{
    close();
    // A name left in a shared folder may be a link to another file: replace it, never follow it.
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return false;
    descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        static_cast<mode_t>(permissions));
    faults = fileFaults;
    return descriptor >= 0;
}

void BinaryFile::close()
{
    if (descriptor >= 0)
        ::close(descriptor);
    descriptor = -1;
}

std::optional<std::uint64_t> BinaryFile::size() const
{
    struct stat status {};
    if (descriptor < 0 || ::fstat(descriptor, &status) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(status.st_size);
}

bool BinaryFile::readAt(std::uint64_t offset, std::span<std::uint8_t> out) const
{
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::pread(descriptor, out.data() + done, out.size() - done,
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool BinaryFile::writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes)
{
    if (injectedFailure(FileOperation::Write))
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::pwrite(descriptor, bytes.data() + done, bytes.size() - done,
                                     static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool BinaryFile::copyFrom(const BinaryFile &source, std::uint64_t sourceOffset,
                          std::uint64_t length, std::uint64_t offset)
{
    // The kernel copies between the files without bringing the bytes into this process.
    std::uint64_t done = 0;
    while (done < length) {
        if (injectedFailure(FileOperation::Write))
            return false;
        auto from = static_cast<off64_t>(sourceOffset + done);
        auto to = static_cast<off64_t>(offset + done);
        const std::size_t part =
            static_cast<std::size_t>(std::min<std::uint64_t>(length - done, CopyBlockBytes * 64));
        const ssize_t copied =
            ::copy_file_range(source.descriptor, &from, descriptor, &to, part, 0);
        if (copied < 0 && errno == EINTR)
            continue;
        if (copied < 0 && done == 0 && isCopyUnsupported(errno))
            return copyThroughBuffer(source, sourceOffset, length, offset);
        if (copied <= 0)
            return false;
        done += static_cast<std::uint64_t>(copied);
    }
    return true;
}

bool BinaryFile::copyThroughBuffer(const BinaryFile &source, std::uint64_t sourceOffset,
                                   std::uint64_t length, std::uint64_t offset)
{
    std::vector<std::uint8_t> block;
    block.resize(static_cast<std::size_t>(std::min<std::uint64_t>(length, CopyBlockBytes)));
    std::uint64_t done = 0;
    while (done < length) {
        const std::size_t part =
            static_cast<std::size_t>(std::min<std::uint64_t>(length - done, block.size()));
        const std::span<std::uint8_t> bytes(block.data(), part);
        if (!source.readAt(sourceOffset + done, bytes) || !writeAt(offset + done, bytes))
            return false;
        done += part;
    }
    return true;
}

bool BinaryFile::truncate(std::uint64_t length)
{
    if (injectedFailure(FileOperation::Write))
        return false;
    return ::ftruncate(descriptor, static_cast<off_t>(length)) == 0;
}

bool BinaryFile::sync()
{
    if (injectedFailure(FileOperation::Fsync))
        return false;
    return ::fsync(descriptor) == 0;
}

bool BinaryFile::startWriteback(std::uint64_t offset, std::uint64_t length)
{
    return ::sync_file_range(descriptor, static_cast<off64_t>(offset), static_cast<off64_t>(length),
                             SYNC_FILE_RANGE_WRITE) == 0;
}

bool BinaryFile::setPermissions(unsigned permissions)
{
    return ::fchmod(descriptor, static_cast<mode_t>(permissions)) == 0;
}

bool BinaryFile::setOwner(unsigned user, unsigned group)
{
    return ::fchown(descriptor, static_cast<uid_t>(user), static_cast<gid_t>(group)) == 0;
}

bool BinaryFile::injectedFailure(FileOperation operation)
{
    if (descriptor < 0)
        return true;
    return faults != nullptr && faults->fails(operation);
}

} // namespace vorela
