// A fresh data directory under the system's temporary folder, removed with its contents at the end.
#pragma once

#include "platform/DataDirectory.h"

#include <filesystem>

namespace vorela::test {

class TempDataDir {
public:
    TempDataDir();
    ~TempDataDir();
    TempDataDir(const TempDataDir &) = delete;
    TempDataDir &operator=(const TempDataDir &) = delete;

    [[nodiscard]] const std::filesystem::path &path() const { return root; }
    [[nodiscard]] DataDirectory dataDirectory() const { return DataDirectory(root); }

private:
    std::filesystem::path root;
};

} // namespace vorela::test
