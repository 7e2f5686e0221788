// Runs table rows of "operation on a fresh composer -> keys and validity" for the speech tests.
#pragma once

#include "platform/Clock.h"
#include "speech/SpeechComposer.h"
#include "tables/DbfTaskTableQuery.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vorela::test {

struct SpeechCase {
    const char *what;
    std::function<void(SpeechComposer &)> run;
    std::vector<std::string> keys;
    bool valid = true;
};

/// Runs each case on a fresh composer whose clock stands at the given date and time.
inline void expectSpeech(const std::vector<SpeechCase> &cases, LocalDate today = {2026, 12, 7},
                         LocalTime now = {9, 5})
{
    const FixedClock clock(today, now);
    const DbfTaskTableQuery tables;
    for (const SpeechCase &c : cases) {
        SpeechComposer composer(clock, tables);
        c.run(composer);
        EXPECT_EQ(composer.keySequence, c.keys) << c.what;
        EXPECT_EQ(composer.keysValid, c.valid) << c.what;
    }
}

} // namespace vorela::test
