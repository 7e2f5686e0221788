// `vorela table columns FILE` and `vorela table value FILE BINDING`: a task table as the binding
// dialogs and the template expansion read it.
#include "cli/CliCommands.h"
#include "platform/DbfTaskTableQuery.h"

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

int tableCommand(CliContext &, const CliArguments &arguments)
{
    if (arguments.size() == 2 && arguments[0] == "columns")
        return printColumns(arguments[1]);
    if (arguments.size() == 3 && arguments[0] == "value")
        return printValue(arguments[1], arguments[2]);
    return cliFailure("usage: vorela table columns FILE | vorela table value FILE BINDING");
}

} // namespace vorela
