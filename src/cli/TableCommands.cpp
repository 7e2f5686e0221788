// `vorela table columns FILE` and `vorela table value FILE BINDING`: a task table as the binding
// dialogs and the template expansion read it.
#include "cli/CliTree.h"
#include "tables/DbfTaskTableQuery.h"

#include <iostream>

namespace vorela {

static int printColumns(const std::string &file)
{
    const TableColumns result = DbfTaskTableQuery().columns(file);
    if (!result.ok())
        return cliFailure(result.error);
    for (const TableColumn &column : result.columns) {
        std::cout << column.name << '\t' << static_cast<int>(column.sqlType) << '\t'
                  << column.length << '\t' << column.decimals << '\n';
    }
    return 0;
}

static int printValue(const std::string &file, const std::string &binding)
{
    const TableValue value = DbfTaskTableQuery().value(file, binding);
    switch (value.status) {
    case TableValue::Status::Found:
        std::cout << value.text << '\n';
        return 0;
    case TableValue::Status::NoRecord:
        std::cerr << "vorela: " << file << ": no live record; the value is empty\n";
        std::cout << '\n';
        return 0;
    case TableValue::Status::NoSuchColumn:
    case TableValue::Status::Failed:
        break;
    }
    return cliFailure(value.error);
}

namespace {

struct FileBinding {
    std::string file;
    std::string binding;
};

} // namespace

void addTableCommands(CLI::App &tool, CliAction &action)
{
    CLI::App &table = addCliGroup(tool, "table", "a task table as the editor reads it");
    const auto [columns, file] = addCliCommand<std::string>(
        table, action, "columns", "NAME TYPE LENGTH DECIMALS per column of FILE",
        [](CliContext &, const std::string &path) { return printColumns(path); });
    columns.add_option("FILE", file, "a DBF table")->required();
    const auto [value, arguments] = addCliCommand<FileBinding>(
        table, action, "value", "the value BINDING takes from the first live record of FILE",
        [](CliContext &, const FileBinding &chosen) {
            return printValue(chosen.file, chosen.binding);
        });
    value.add_option("FILE", arguments.file, "a DBF table")->required();
    value.add_option("BINDING", arguments.binding, "a column name, '*' or a 'constant'")
        ->required();
}

} // namespace vorela
