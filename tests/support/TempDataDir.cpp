#include "support/TempDataDir.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace vorela::test {

TempDataDir::TempDataDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vorela-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary data directory");
    root = pattern;
}

TempDataDir::~TempDataDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

} // namespace vorela::test
