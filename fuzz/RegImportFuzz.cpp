// Fuzzes .reg import into a real registry store (on a memory file system).
#include "FuzzInput.h"
#include "platform/RegFile.h"
#include "platform/RegistryStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vorela;
    static const std::unique_ptr<RegistryStore> store = [] {
        std::string error;
        std::unique_ptr<RegistryStore> opened =
            RegistryStore::open(fuzz::scratchFolder() / "registry.sqlite", error);
        if (!opened)
            std::abort();
        return opened;
    }();
    (void)importRegBytes(*store, std::span<const std::uint8_t>(data, size), "input.reg");
    return 0;
}
