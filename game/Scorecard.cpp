#include "game/Scorecard.h"

#include <algorithm>
#include <limits>

namespace quibbix {
namespace {

constexpr int64_t UpperBonusThreshold = 62;  // the upper boxes must sum to more than this
constexpr int FirstAward = 50;
constexpr int LaterAward = 100;

// a + b, held at the ends of the 64-bit range instead of wrapping.
int64_t addClamped(int64_t a, int64_t b) {
    int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return b > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
    }
    return sum;
}

std::string text(const std::optional<int64_t>& value) {
    return value ? Scorecard::textOf(*value) : std::string();
}

}  // namespace

std::string Scorecard::textOf(int64_t points) {
    return std::to_string(points);
}

bool Scorecard::hasOpenBox() const {
    return std::any_of(boxes_.begin(), boxes_.end(), [](const auto& box) { return !box; });
}

std::string Scorecard::boxText(Box box) const {
    return text(boxes_[box]);
}

std::string Scorecard::bonusText() const {
    return bonus_ ? text(UpperBonus) : std::string();
}

std::string Scorecard::totalText() const {
    return text(total_);
}

void Scorecard::enter(Box box, int64_t points) {
    boxes_[box] = points;
    int64_t upper = 0;
    for (Box upperBox : AllBoxes) {
        if (isUpper(upperBox)) {
            upper = addClamped(upper, boxes_[upperBox].value_or(0));
        }
    }
    bonus_ = bonus_ || upper > UpperBonusThreshold;
    updateTotal();
}

void Scorecard::updateTotal() {
    int64_t sum = bonus_ ? UpperBonus : 0;
    for (const auto& box : boxes_) {
        sum = addClamped(sum, box.value_or(0));
    }
    total_ = sum;
}

void Scorecard::takeFiveOfAKindAward() {
    auto& box = boxes_[Box::FiveOfAKind];
    box = addClamped(box.value_or(0), fiveOfAKindScored_ ? LaterAward : FirstAward);
    fiveOfAKindScored_ = true;
    updateTotal();
}

void Scorecard::clear() {
    boxes_ = {};
    bonus_ = false;
    total_.reset();
    fiveOfAKindScored_ = false;
}

}  // namespace quibbix
