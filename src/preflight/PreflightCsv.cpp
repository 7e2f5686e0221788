// Quoting as spreadsheets and Python's csv module read it (RFC 4180).
#include "preflight/PreflightCsv.h"

namespace vorela {

std::string csvField(std::string_view text)
{
    const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted)
        return std::string(text);
    std::string field = "\"";
    for (const char character : text) {
        if (character == '"')
            field += '"';
        field += character;
    }
    return field + '"';
}

std::string preflightCsvHeader()
{
    return "record,task,operator,item,column,value,problem\r\n";
}

std::string preflightCsvRow(const PreflightProblem &problem)
{
    std::string row =
        problem.record == EveryRecord ? std::string() : std::to_string(problem.record);
    for (const std::string *field : {&problem.task, &problem.operatorName, &problem.item,
                                     &problem.column, &problem.value, &problem.reason})
        row.append(",").append(csvField(*field));
    return row + "\r\n";
}

} // namespace vorela
