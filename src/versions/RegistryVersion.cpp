// Reading the lexeme and task branches into version files and writing them back.
#include "versions/RegistryVersion.h"

#include "platform/RegistryKey.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryTransaction.h"
#include "stores/Operator.h"
#include "stores/Operators.h"
#include "stores/RegistryPaths.h"

#include <array>

namespace vorela {

static constexpr std::string_view LexemesFile = "registry/lexemes.txt";
static constexpr std::string_view TasksFile = "registry/tasks.txt";
static constexpr std::string_view TemplatesFolder = "registry/templates/";

namespace {

// The two branches a version keeps, as names below the product key.
constexpr std::array<std::string_view, 2> BranchNames = {"Лексемы и функции", "Tasks"};

// The registry file a key belongs to: a template's keys (Tasks\T\Операторы\O\Шаблоны...) go to
// the template's own file, the other task keys to tasks.txt.
std::string fileOfKey(const std::vector<std::string> &components)
{
    if (foldRegistryName(components[0]) != foldRegistryName(BranchNames[1]))
        return std::string(LexemesFile);
    const bool inTemplate = components.size() >= 5 &&
                            foldRegistryName(components[2]) == foldRegistryName(OperatorsKeyName) &&
                            foldRegistryName(components[4]) == foldRegistryName(TemplateKeyName);
    if (!inTemplate)
        return std::string(TasksFile);
    return std::string(TemplatesFolder) + encodeFileName(components[1]) + "/" +
           encodeFileName(components[3]) + ".txt";
}

std::string joinPath(const std::vector<std::string> &components)
{
    std::string path;
    for (const std::string &component : components)
        path += (path.empty() ? "" : "\\") + component;
    return path;
}

class BranchReader {
public:
    std::map<std::string, std::vector<TextKey>> keysByFile;
    std::string failedPath;

    // Depth first, subkeys in enumeration order: the order the text keeps.
    [[nodiscard]] bool read(const RegistryKey &key, std::vector<std::string> &components)
    {
        components.push_back(key.name());
        std::optional<std::vector<RegistryValue>> values = key.readValues();
        std::optional<std::vector<RegistryKey>> subkeys = key.readSubkeys();
        if (!values || !subkeys) {
            failedPath = joinPath(components);
            return false;
        }
        keysByFile[fileOfKey(components)].push_back({joinPath(components), std::move(*values)});
        for (const RegistryKey &subkey : *subkeys) {
            if (!read(subkey, components))
                return false;
        }
        components.pop_back();
        return true;
    }
};

} // namespace

bool readRegistryFiles(RegistryStore &store, LibraryFiles &files, std::string &error)
{
    const RegistryReadTransaction snapshot(store);
    const auto cannotRead = [&](std::string_view path) {
        error = store.file().string() + ": the key " + std::string(ProductKeyPath) +
                std::string(path) + " could not be read";
        return false;
    };
    // A lookup that fails is not a missing branch: that would save an empty library.
    const std::optional<RegistryKey> product = store.localMachine().findKey(ProductKeyPath);
    if (!product)
        return cannotRead("");
    BranchReader reader;
    for (const std::string_view branchName : BranchNames) {
        const std::optional<RegistryKey> branch = product->findKey(branchName);
        if (!branch)
            return cannotRead(branchName);
        std::vector<std::string> components;
        if (branch->isOpen() && !reader.read(*branch, components))
            return cannotRead(reader.failedPath);
    }
    for (const auto &[path, keys] : reader.keysByFile) {
        std::optional<LibraryFile> file = textFile(writeRegistryText(keys));
        if (!file) {
            error = "out of memory while hashing " + path;
            return false;
        }
        files[path] = std::move(*file);
    }
    return true;
}

bool parseRegistryFiles(const LibraryFiles &files, std::vector<TextKey> &keys, std::string &error)
{
    keys.clear();
    for (auto file = files.lower_bound(RegistryFolder);
         file != files.end() && file->first.starts_with(RegistryFolder); ++file) {
        std::vector<TextKey> fileKeys;
        if (!readRegistryText(file->second.text, file->first, fileKeys, error))
            return false;
        for (TextKey &key : fileKeys)
            keys.push_back(std::move(key));
    }
    return true;
}

static bool writeKey(const RegistryKey &product, const TextKey &key)
{
    const RegistryKey written = product.createKey(key.path);
    if (!written.isOpen())
        return false;
    for (const RegistryValue &value : key.values) {
        if (!written.writeValue(value))
            return false;
    }
    return true;
}

bool writeRegistryFiles(RegistryStore &store, const LibraryFiles &files, std::string &error)
{
    std::vector<TextKey> keys;
    if (!parseRegistryFiles(files, keys, error))
        return false;
    // Every path carries its keys' stored spelling, so the order of the files does not matter.
    RegistryTransaction transaction(store);
    const RegistryKey product = store.createKey(ProductKeyPath);
    bool written = product.isOpen();
    for (const std::string_view branchName : BranchNames) {
        if (!written)
            break;
        // A lookup that fails must not leave the old branch under the restored one.
        const std::optional<RegistryKey> branch = product.findKey(branchName);
        written = branch && (!branch->isOpen() || product.deleteSubkeyTree(branchName));
    }
    for (const TextKey &key : keys) {
        if (written)
            written = writeKey(product, key);
    }
    if (written && transaction.commit())
        return true;
    error = store.file().string() + ": the registry store is busy or cannot be written; it is "
                                    "unchanged";
    return false;
}

} // namespace vorela
