#include "preflight/PreflightCsv.h"

#include <gtest/gtest.h>

namespace vorela {

TEST(PreflightCsv, FieldsAreQuotedAsCsvReadersExpect)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Иванов", "Иванов"},   {"", ""},           {"a,b", "\"a,b\""},
        {"a\"b", "\"a\"\"b\""}, {"\"", "\"\"\"\""}, {"a\r\nb", "\"a\r\nb\""},
        {" x", "\" x\""},       {"x ", "\"x \""},   {"a b", "a b"},
    };
    for (const auto &[text, field] : cases)
        EXPECT_EQ(csvField(text), field) << text;
}

} // namespace vorela
