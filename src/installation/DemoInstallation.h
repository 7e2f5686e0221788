// Demo data for trying the editor: a new installation with synthesized recordings of every word,
// a currency bank, a signed greeting phrase, a task table and two tasks with templates.
#pragma once

#include <cstddef>
#include <string>

namespace vorela {

class DataDirectory;

struct DemoSummary {
    std::size_t sounds = 0;        // sounds synthesized (product and currency bank)
    double synthesisSeconds = 0.0; // time spent in espeak-ng and sox
};

/// Sets up dataDirectory as initDataDirectory does, then fills it. espeak-ng and sox must be on
/// PATH. False with the reason in error; a directory left half-filled is not cleaned up.
[[nodiscard]] bool createDemoDirectory(const DataDirectory &dataDirectory, std::string &error,
                                       DemoSummary &summary);

} // namespace vorela
