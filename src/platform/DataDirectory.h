// Where the data shared with the notification application lives: the data directory and its files.
#pragma once

#include <filesystem>

namespace vorela {

class DataDirectory {
public:
    /// $VORELA_DATA_DIR when set, otherwise the current directory.
    [[nodiscard]] static DataDirectory fromEnvironment();
    explicit DataDirectory(std::filesystem::path root);

    [[nodiscard]] const std::filesystem::path &root() const { return rootPath; }
    [[nodiscard]] std::filesystem::path productBank() const { return rootPath / "vorela.awf"; }
    [[nodiscard]] std::filesystem::path currencyBank() const { return rootPath / "currency.awf"; }
    [[nodiscard]] std::filesystem::path temporaryBank() const { return rootPath / "vorela.tmp"; }
    /// registry.sqlite, or $VORELA_REGISTRY when set.
    [[nodiscard]] std::filesystem::path registry() const;
    [[nodiscard]] std::filesystem::path locks() const { return rootPath / "locks"; }
    [[nodiscard]] std::filesystem::path trustedKeys() const { return rootPath / "trusted-keys"; }

private:
    std::filesystem::path rootPath;
};

} // namespace vorela
