// Test hook of the file layer: makes the Nth write, fsync, rename or fsync of a folder fail, so
// that every failure path of a bank rewrite can be walked through with real files.
#pragma once

#include <array>
#include <cstddef>

namespace vorela {

/// Fsync is of a file's data; FolderFsync of the folder that makes a rename durable.
enum class FileOperation { Write, Fsync, Rename, FolderFsync };

class FileFaults {
public:
    /// Makes the nth operation of that kind from now on fail (1 = the next one); 0 fails none.
    void failNth(FileOperation operation, int nth)
    {
        counts[index(operation)] = 0;
        failAt[index(operation)] = nth;
    }

    /// Counts one operation; true when it is the one that must fail.
    [[nodiscard]] bool fails(FileOperation operation)
    {
        const std::size_t at = index(operation);
        ++counts[at];
        return failAt[at] != 0 && counts[at] == failAt[at];
    }

    /// Operations of that kind counted so far.
    [[nodiscard]] int count(FileOperation operation) const { return counts[index(operation)]; }

private:
    static std::size_t index(FileOperation operation)
    {
        return static_cast<std::size_t>(operation);
    }

    std::array<int, 4> counts{};
    std::array<int, 4> failAt{};
};

} // namespace vorela
