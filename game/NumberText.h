#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quibbix {

// The digits of a whole number, with a minus sign when negative: no blank, no decimal point.
std::string DecimalText(int64_t number);

// The number at the start of a text (blanks before it skipped, an optional sign), 0 for a text
// that starts with none. Values beyond the 64-bit range are held at its ends.
int64_t NumericValue(std::string_view text);

// a + b, held at the ends of the 64-bit range instead of wrapping.
int64_t AddClamped(int64_t a, int64_t b);

}  // namespace quibbix
