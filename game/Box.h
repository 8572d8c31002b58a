#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quibbix {

// The thirteen boxes of the score card, top to bottom.
enum class Box {
    Ones,
    Twos,
    Threes,
    Fours,
    Fives,
    Sixes,
    ThreeOfAKind,
    FourOfAKind,
    FullHouse,
    SmallStraight,
    LargeStraight,
    Chance,
    FiveOfAKind,  // filled by the award of a roll, never by a click
};

inline constexpr int BoxCount = 13;

// Every box, top to bottom.
inline constexpr std::array<Box, BoxCount> AllBoxes{
    Box::Ones,          Box::Twos,         Box::Threes,      Box::Fours,     Box::Fives,
    Box::Sixes,         Box::ThreeOfAKind, Box::FourOfAKind, Box::FullHouse, Box::SmallStraight,
    Box::LargeStraight, Box::Chance,       Box::FiveOfAKind};

// Its row on the card, 0 at the top.
constexpr std::size_t rowOf(Box box) {
    return static_cast<std::size_t>(box);
}

// One value for each box, indexed by the box (or by its row).
template <typename T>
struct PerBox : std::array<T, BoxCount> {
    using std::array<T, BoxCount>::operator[];
    constexpr T& operator[](Box box) { return (*this)[rowOf(box)]; }
    constexpr const T& operator[](Box box) const { return (*this)[rowOf(box)]; }
};

// Ones to Sixes: each counts the dice of one face.
constexpr bool isUpper(Box box) {
    return box <= Box::Sixes;
}

// The pips an upper box counts.
constexpr int pipsCountedBy(Box box) {
    return static_cast<int>(box) + 1;
}

// What a box is called: `name` when it is spoken, `label` as printed on the card.
struct BoxCaption {
    std::string_view name;
    std::string_view label;
};

inline constexpr std::array<BoxCaption, BoxCount> BoxCaptions{{
    {"Ones", "1's"},
    {"Twos", "2's"},
    {"Threes", "3's"},
    {"Fours", "4's"},
    {"Fives", "5's"},
    {"Sixes", "6's"},
    {"Three of a kind", "3 of a kind"},
    {"Four of a kind", "4 of a kind"},
    {"Full house", "Full House"},
    {"Small straight", "Small Straight"},
    {"Large straight", "Large Straight"},
    {"Chance", "Chance"},
    {"Quibbix!!", "QUIBBIX!!"},
}};

constexpr const BoxCaption& captionOf(Box box) {
    return BoxCaptions[rowOf(box)];
}

// The two sums below the boxes.
inline constexpr BoxCaption BonusCaption{"Bonus", "Bonus"};
inline constexpr BoxCaption TotalCaption{"Total", "Total:"};

}  // namespace quibbix
