#include "game/NumberText.h"

#include <limits>

namespace quibbix {

std::string DecimalText(int64_t number) {
    return std::to_string(number);
}

int64_t NumericValue(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && text[at] == ' ') {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        const int digit = text[at] - '0';
        // Accumulate on the negative side, which reaches one further than the positive side.
        if (value < (std::numeric_limits<int64_t>::min() + digit) / 10) {
            return negative ? std::numeric_limits<int64_t>::min()
                            : std::numeric_limits<int64_t>::max();
        }
        value = value * 10 - digit;
    }
    if (negative) {
        return value;
    }
    return value == std::numeric_limits<int64_t>::min() ? std::numeric_limits<int64_t>::max()
                                                        : -value;
}

int64_t AddClamped(int64_t a, int64_t b) {
    int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return b > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
    }
    return sum;
}

}  // namespace quibbix
