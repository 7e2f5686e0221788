// The problems of a check kept compactly, so that a list of millions is held once: the fields a
// template item repeats on every record are stored once per item, the rest in one text buffer.
#pragma once

#include "preflight/PreflightProblem.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorela {

class PreflightProblemList {
public:
    enum class Field { Task, OperatorName, ItemName, Item, Column, Value, Reason };

    void add(const PreflightProblem &problem);

    [[nodiscard]] std::size_t size() const { return rows.size(); }
    [[nodiscard]] bool empty() const { return rows.empty(); }
    [[nodiscard]] std::uint32_t record(std::size_t index) const { return rows[index].record; }
    /// A view into the list, valid until the next add().
    [[nodiscard]] std::string_view field(std::size_t index, Field field) const;
    /// The problem at index, whole again.
    [[nodiscard]] PreflightProblem problem(std::size_t index) const;

private:
    struct Source {
        std::string task;
        std::string operatorName;
        std::string itemName;
        std::string item;
        std::string column;
    };
    struct Row {
        std::uint64_t textStart; // the value, then the reason, in text
        std::uint32_t record;
        std::uint32_t source;
        std::uint32_t valueLength;
        std::uint32_t reasonLength;
        ProblemKind kind;
    };

    [[nodiscard]] std::uint32_t sourceOf(const PreflightProblem &problem);

    std::vector<Row> rows;
    std::vector<Source> sources;
    std::unordered_map<std::string, std::uint32_t> sourceIds;
    std::string text;
};

} // namespace vorela
