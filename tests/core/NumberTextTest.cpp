#include <gtest/gtest.h>

#include <limits>

#include "game/NumberText.h"

namespace quibbix {
namespace {

TEST(NumberText, DecimalTextIsBareDigits) {
    const struct {
        int64_t number;
        const char* text;
    } cases[] = {{0, "0"}, {7, "7"}, {150, "150"}, {-25, "-25"}, {40000, "40000"}};
    for (const auto& c : cases) {
        EXPECT_EQ(DecimalText(c.number), c.text);
    }
}

TEST(NumberText, NumericValueTakesTheNumberAtTheStart) {
    const struct {
        const char* text;
        int64_t value;
    } cases[] = {
        {"", 0},
        {"0", 0},
        {"35", 35},
        {"150", 150},
        {" 12", 12},
        {"12abc", 12},
        {"abc", 0},
        {"-7", -7},
        {"+9", 9},
        {"40000", 40000},
        {"9223372036854775807", std::numeric_limits<int64_t>::max()},
        {"99999999999999999999", std::numeric_limits<int64_t>::max()},
        {"-9223372036854775808", std::numeric_limits<int64_t>::min()},
        {"-99999999999999999999", std::numeric_limits<int64_t>::min()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumericValue(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(NumberText, AddClampedHoldsAtTheEnds) {
    constexpr int64_t max = std::numeric_limits<int64_t>::max();
    constexpr int64_t min = std::numeric_limits<int64_t>::min();
    EXPECT_EQ(AddClamped(32700, 100), 32800);
    EXPECT_EQ(AddClamped(max - 10, 100), max);
    EXPECT_EQ(AddClamped(min + 10, -100), min);
}

}  // namespace
}  // namespace quibbix
