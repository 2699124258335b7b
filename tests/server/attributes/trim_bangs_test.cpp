#include "server/attributes/trim_bangs.h"

#include <gtest/gtest.h>

namespace kt {
namespace {

TEST(TrimBangs, DropsTheTextUpToTheFirstBangAndTheBangsAroundTheRest) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"a!b!!", "b"}, {"!!x", "x"},          {"no bangs", "no bangs"},
        {"!!!", ""},    {"x!Ready!", "Ready"}, {"x!one!two!", "one!two"},
        {"", ""},       {"only!", ""},
    };
    for (const auto& [text, trimmed] : cases) {
        EXPECT_EQ(TrimBangs(text), trimmed) << text;
    }
}

}  // namespace
}  // namespace kt
