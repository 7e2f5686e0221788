// Replaces a shared file as one step through a temporary file, fsync and rename.
#include "platform/AtomicFileReplace.h"

#include "platform/FileFaults.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vorela {

static constexpr unsigned DefaultPermissions = 0644;
// Written bytes are handed to the disk in parts of this size while the file grows, so that the
// final fsync waits for the last part only.
static constexpr std::uint64_t WritebackBytes = 4 << 20;

AtomicFileReplace::AtomicFileReplace(std::filesystem::path target, std::filesystem::path temporary,
                                     FileFaults *fileFaults)
    : targetPath(std::move(target)), temporaryPath(std::move(temporary)), faults(fileFaults)
{
}

AtomicFileReplace::AtomicFileReplace(const std::filesystem::path &target, FileFaults *fileFaults)
    : AtomicFileReplace(target, std::filesystem::path(target) += ".tmp", fileFaults)
{
}

AtomicFileReplace::~AtomicFileReplace()
{
    file.close();
    if (created && !renamed)
        ::unlink(temporaryPath.c_str());
}

bool AtomicFileReplace::create()
{
    // The replacement must stay as readable to the notification application as the old file was.
    struct stat status {};
    const bool targetExists = ::stat(targetPath.c_str(), &status) == 0;
    const unsigned permissions = targetExists ? (status.st_mode & 07777) : DefaultPermissions;
    if (!file.create(temporaryPath, permissions, faults))
        return false;
    created = true;
    length = 0;
    handedToDisk = 0;
    if (targetExists) {
        // create() applies the umask; the old bank's bits win. Running as root keeps the owner too.
        if (::geteuid() == 0 && !file.setOwner(status.st_uid, status.st_gid))
            return false;
        if (!file.setPermissions(permissions))
            return false;
    }
    return true;
}

bool AtomicFileReplace::append(std::span<const std::uint8_t> bytes)
{
    return created && !renamed && file.writeAt(length, bytes) && countWritten(bytes.size());
}

bool AtomicFileReplace::appendFrom(const BinaryFile &source, std::uint64_t sourceOffset,
                                   std::uint64_t count)
{
    return created && !renamed && file.copyFrom(source, sourceOffset, count, length) &&
           countWritten(count);
}

bool AtomicFileReplace::countWritten(std::uint64_t count)
{
    length += count;
    if (length - handedToDisk < WritebackBytes)
        return true;
    const std::uint64_t from = handedToDisk;
    handedToDisk = length;
    return file.startWriteback(from, length - from);
}

bool AtomicFileReplace::commit()
{
    if (committed)
        return true;
    if (!created)
        return false;
    if (!renamed) {
        if (!synced) {
            if (!file.sync())
                return false;
            synced = true;
            file.close();
        }
        if (faults != nullptr && faults->fails(FileOperation::Rename))
            return false;
        if (std::rename(temporaryPath.c_str(), targetPath.c_str()) != 0)
            return false;
        renamed = true;
    }
    if (!syncFolder())
        return false;
    committed = true;
    return true;
}

bool AtomicFileReplace::syncFolder()
{
    std::filesystem::path folder = targetPath.parent_path();
    if (folder.empty())
        folder = ".";
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool injected = faults != nullptr && faults->fails(FileOperation::FolderFsync);
    const bool done = !injected && ::fsync(descriptor) == 0;
    ::close(descriptor);
    return done;
}

bool replaceFileContent(const std::filesystem::path &file, std::string_view content)
{
    AtomicFileReplace replace(file);
    return replace.create() &&
           replace.append(
               {reinterpret_cast<const std::uint8_t *>(content.data()), content.size()}) &&
           replace.commit();
}

} // namespace vorela
