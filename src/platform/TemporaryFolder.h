// A private folder (mode 0700) under the system's temporary folder for work files, removed with
// its contents by its owner on every return path.
#pragma once

#include <filesystem>
#include <string_view>

namespace vorela {

class TemporaryFolder {
public:
    /// Makes <temp>/<prefix>-XXXXXX; path() is empty when it cannot be made.
    explicit TemporaryFolder(std::string_view prefix);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    [[nodiscard]] const std::filesystem::path &path() const { return folder; }

private:
    std::filesystem::path folder;
};

} // namespace vorela
