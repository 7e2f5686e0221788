// Loose objects as git lays them out: objects/AB/CDEF..., each a zlib stream of "blob SIZE", a zero
// byte and the bytes. Sounds are written with stored (level 0) deflate blocks.
#include "versions/LooseObjects.h"

#include "versions/RegistryText.h"

#include <zlib.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace vorela {

namespace {

// Closes a descriptor and removes the temporary file it was written to unless it was kept.
class TemporaryObject {
public:
    explicit TemporaryObject(std::string pattern) : path(std::move(pattern))
    {
        descriptor = ::mkstemp(path.data());
    }
    ~TemporaryObject()
    {
        if (descriptor >= 0)
            ::close(descriptor);
        if (descriptor >= 0 || closed)
            ::unlink(path.c_str());
    }
    TemporaryObject(const TemporaryObject &) = delete;
    TemporaryObject &operator=(const TemporaryObject &) = delete;

    // Writes bytes, makes the file read-only as git's objects are and renames it to target.
    [[nodiscard]] bool keepAs(std::span<const std::uint8_t> bytes,
                              const std::filesystem::path &target)
    {
        for (std::size_t done = 0; descriptor >= 0 && done < bytes.size();) {
            const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            done += static_cast<std::size_t>(written);
        }
        if (descriptor < 0 || ::fchmod(descriptor, 0444) != 0)
            return false;
        const int closing = descriptor;
        descriptor = -1;
        closed = true;
        if (::close(closing) != 0 || ::rename(path.c_str(), target.c_str()) != 0)
            return false;
        closed = false;
        return true;
    }

private:
    std::string path;
    int descriptor = -1;
    bool closed = false;
};

std::filesystem::path objectPath(const std::filesystem::path &objects, const BlobId &id)
{
    const std::string hex = hexText(id);
    return objects / hex.substr(0, 2) / hex.substr(2);
}

bool hasId(std::span<const std::uint8_t> object, const BlobId &id)
{
    const std::optional<BlobId> digest = objectIdOf(object);
    return digest && *digest == id;
}

// The zlib stream of object in stored blocks; empty when zlib fails.
std::vector<std::uint8_t> storedStream(std::span<const std::uint8_t> object)
{
    z_stream stream{};
    if (deflateInit(&stream, Z_NO_COMPRESSION) != Z_OK)
        return {};
    std::vector<std::uint8_t> out(deflateBound(&stream, object.size()));
    stream.next_in = const_cast<Bytef *>(object.data());
    stream.avail_in = static_cast<uInt>(object.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return status == Z_STREAM_END ? out : std::vector<std::uint8_t>{};
}

bool readWhole(const std::filesystem::path &path, std::vector<std::uint8_t> &bytes, bool &absent)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    absent = descriptor < 0 && errno == ENOENT;
    if (descriptor < 0)
        return false;
    struct stat status {};
    bool read = ::fstat(descriptor, &status) == 0;
    bytes.resize(read ? static_cast<std::size_t>(status.st_size) : 0);
    for (std::size_t done = 0; read && done < bytes.size();) {
        const ssize_t count = ::read(descriptor, bytes.data() + done, bytes.size() - done);
        read = count > 0 || (count < 0 && errno == EINTR);
        done += count > 0 ? static_cast<std::size_t>(count) : 0;
    }
    ::close(descriptor);
    return read;
}

} // namespace

bool writeStoredBlob(const std::filesystem::path &objects, const BlobId &id,
                     std::span<const std::uint8_t> bytes, std::string &error)
{
    const std::string header = blobHeader(bytes.size());
    std::vector<std::uint8_t> object(header.begin(), header.end());
    object.insert(object.end(), bytes.begin(), bytes.end());
    if (!hasId(object, id)) {
        error = "a sound of the bank changed while it was read; save again";
        return false;
    }
    const std::filesystem::path target = objectPath(objects, id);
    std::error_code status;
    std::filesystem::create_directory(target.parent_path(), status);
    const std::vector<std::uint8_t> stream = storedStream(object);
    TemporaryObject temporary((target.parent_path() / "tmp_obj_XXXXXX").string());
    if (!status && !stream.empty() && temporary.keepAs(stream, target))
        return true;
    error = target.string() +
            ": cannot be written: " + (status ? status.message() : std::strerror(errno));
    return false;
}

LooseRead checkLooseObject(const std::filesystem::path &objects, const BlobId &id)
{
    std::vector<std::uint8_t> file;
    bool absent = false;
    if (!readWhole(objectPath(objects, id), file, absent))
        return absent ? LooseRead::Absent : LooseRead::Damaged;
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return LooseRead::Damaged;
    stream.next_in = file.data();
    stream.avail_in = static_cast<uInt>(file.size());
    std::array<std::uint8_t, 16 * 1024> scratch{};
    int status = Z_OK;
    // Z_OK only while the stream moves on: a cut one ends in Z_BUF_ERROR.
    while (status == Z_OK) {
        stream.next_out = scratch.data();
        stream.avail_out = static_cast<uInt>(scratch.size());
        status = inflate(&stream, Z_NO_FLUSH);
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END ? LooseRead::Read : LooseRead::Damaged;
}

LooseRead LooseBlobReader::read(const BlobId &id, std::uint32_t size,
                                std::span<const std::uint8_t> &bytes)
{
    bool absent = false;
    if (!readWhole(objectPath(objects, id), file, absent))
        return absent ? LooseRead::Absent : LooseRead::Damaged;
    const std::string header = blobHeader(size);
    object.resize(header.size() + size + 1); // one more: a longer object is caught
    // The two bytes of the zlib header are checked here and its trailing checksum left: the id
    // checks every byte, and summing them twice would cost a third of a restore.
    static constexpr std::size_t ZlibHeader = 2;
    static constexpr std::size_t ZlibTrailer = 4;
    const bool zlibHeader = file.size() >= ZlibHeader + ZlibTrailer && (file[0] & 0x0F) == 8 &&
                            (file[0] >> 4) <= 7 && (file[1] & 0x20) == 0 &&
                            (file[0] * 256 + file[1]) % 31 == 0;
    z_stream stream{};
    if (!zlibHeader || inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return LooseRead::Damaged;
    stream.next_in = file.data() + ZlibHeader;
    stream.avail_in = static_cast<uInt>(file.size() - ZlibHeader);
    stream.next_out = object.data();
    stream.avail_out = static_cast<uInt>(object.size());
    const int status = inflate(&stream, Z_FINISH);
    const bool whole = status == Z_STREAM_END && stream.avail_in == ZlibTrailer &&
                       stream.total_out == object.size() - 1;
    inflateEnd(&stream);
    const std::span<const std::uint8_t> inflated(object.data(), object.size() - 1);
    if (!whole || std::memcmp(object.data(), header.data(), header.size()) != 0 ||
        !hasId(inflated, id))
        return LooseRead::Damaged;
    bytes = inflated.subspan(header.size());
    return LooseRead::Read;
}

} // namespace vorela
