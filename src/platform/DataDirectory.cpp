#include "platform/DataDirectory.h"

#include <cstdlib>
#include <utility>

namespace vorela {

DataDirectory DataDirectory::fromEnvironment()
{
    const char *configured = std::getenv("VORELA_DATA_DIR");
    if (configured != nullptr && *configured != '\0')
        return DataDirectory(configured);
    std::error_code error;
    std::filesystem::path current = std::filesystem::current_path(error);
    return DataDirectory(error ? std::filesystem::path(".") : current);
}

DataDirectory::DataDirectory(std::filesystem::path root) : rootPath(std::move(root)) {}

std::filesystem::path DataDirectory::registry() const
{
    const char *configured = std::getenv("VORELA_REGISTRY");
    if (configured != nullptr && *configured != '\0')
        return configured;
    return rootPath / "registry.sqlite";
}

} // namespace vorela
