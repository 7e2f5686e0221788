// The shape of the large installation the store benchmarks build: a 10,010-node lexeme tree and
// 200 templates of 12 items.
#pragma once

namespace vorela {

constexpr int TopFolders = 10;
constexpr int SubFolders = 10;
constexpr int LexemesPerFolder = 99; // 10 + 100 + 9,900 = 10,010 nodes
constexpr int Tasks = 20;
constexpr int OperatorsPerTask = 10; // 200 templates
constexpr int ItemsPerTemplate = 12;

} // namespace vorela
