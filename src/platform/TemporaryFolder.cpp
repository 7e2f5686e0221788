// mkdtemp makes the folder with mode 0700: no other account reads or replaces its files.
#include "platform/TemporaryFolder.h"

#include <cstdlib>
#include <string>

namespace vorela {

TemporaryFolder::TemporaryFolder(std::string_view prefix)
{
    std::error_code status;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(status);
    if (status)
        return;
    std::string pattern = (temporary / (std::string(prefix) + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) != nullptr)
        folder = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code status;
    if (!folder.empty())
        std::filesystem::remove_all(folder, status);
}

} // namespace vorela
