#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "window/Spoken.h"

namespace quibbix {
namespace {

// Texts assigned as strings, not as character arrays: GCC 12 at -O3 warns falsely (-Wrestrict)
// on an array assigned to a string inside a lambda.
using namespace std::string_literals;

TEST(Spoken, RollTellsTheRollsLeftOrAFullCard) {
    struct Case {
        int rollsLeft;
        bool cardFull;
        const char* said;
    };
    const Case cases[] = {
        {3, false, "Roll, 3 rolls left"}, {2, false, "Roll, 2 rolls left"},
        {1, false, "Roll, 1 roll left"},  {0, false, "Roll, no rolls left"},
        {0, true, "Roll, card full"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(spoken::roll(c.rollsLeft, c.cardFull), c.said);
    }
}

TEST(Spoken, DiceAreNumberedLikeTheirKeysWithFaceAndPlace) {
    EXPECT_EQ(spoken::die(0, 1, false), "Die 1, one, on the table");
    EXPECT_EQ(spoken::die(2, 5, true), "Die 3, five, held");
    EXPECT_EQ(spoken::die(4, 6, true), "Die 5, six, held");
}

TEST(Spoken, BoxesTellTheirCaptionAndScoreOrOpen) {
    struct Case {
        Box box;
        const char* text;
        const char* said;
    };
    const Case cases[] = {
        {Box::Ones, "", "Ones, open"},
        {Box::Threes, "9", "Threes, 9"},
        {Box::Sixes, "0", "Sixes, 0"},
        {Box::ThreeOfAKind, "", "Three of a kind, open"},
        {Box::FullHouse, "25", "Full house, 25"},
        {Box::Chance, "", "Chance, open"},
        {Box::FiveOfAKind, "150", "Quibbix!!, 150"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(spoken::box(c.box, c.text), c.said);
    }
    EXPECT_EQ(spoken::bonus(""), "Bonus, none");
    EXPECT_EQ(spoken::bonus("35"), "Bonus, 35");
    EXPECT_EQ(spoken::total(""), "Total, none");
    EXPECT_EQ(spoken::total("0"), "Total, 0");
}

TEST(Spoken, AnOpenBoxTellsWhatItWouldScoreWithTheDiceOnTheTable) {
    EXPECT_EQ(spoken::box(Box::FullHouse, "", 25), "Full house, open, 25 with these dice");
    EXPECT_EQ(spoken::box(Box::FiveOfAKind, "", 0), "Quibbix!!, open, 0 with these dice");
    EXPECT_EQ(spoken::box(Box::FullHouse, "", std::nullopt), "Full house, open");
    EXPECT_EQ(spoken::box(Box::FullHouse, "25", std::nullopt), "Full house, 25");
}

// A board in the middle of a game: 3 4 5 6 6 after the first roll, Chance and Sixes filled.
spoken::Board midGame() {
    spoken::Board board;
    board.faces = {3, 4, 5, 6, 6};
    board.boxes[Box::Sixes] = "18"s;
    board.boxes[Box::Chance] = "20"s;
    board.total = "38"s;
    board.rollsLeft = 2;
    return board;
}

TEST(Spoken, EachMoveTellsWhatItChanged) {
    using spoken::Move;
    struct Case {
        const char* what;
        Move move;
        std::function<void(spoken::Board&)> change;  // from the board before to the board after
        const char* said;
    };
    const Case cases[] = {
        {"a roll", Move::Roll,
         [](spoken::Board& b) {
             b.faces = {1, 4, 5, 6, 2};
             b.rollsLeft = 1;
         },
         "Rolled one, four, five, six, two. 1 roll left."},
        {"the third roll", Move::Roll, [](spoken::Board& b) { b.rollsLeft = 0; },
         "Rolled three, four, five, six, six. No rolls left."},
        {"a roll refused", Move::Roll, [](spoken::Board&) {}, "No rolls left."},
        {"a roll on a full card", Move::Roll, [](spoken::Board& b) { b.cardFull = true; },
         "The card is full."},
        {"five of a kind", Move::Roll,
         [](spoken::Board& b) {
             b.faces = {6, 6, 6, 6, 6};
             b.banner = true;
             b.boxes[Box::FiveOfAKind] = "50"s;
             b.total = "88"s;
             b.rollsLeft = 3;
         },
         "Rolled six, six, six, six, six. Quibbix!! Five of a kind scored. Quibbix!!, 50. "
         "Total, 88."},
        {"a hold", Move::Hold, [](spoken::Board& b) { b.held[1] = true; }, "Die 2, four, held."},
        {"a hold refused", Move::Hold, [](spoken::Board&) {}, ""},
        {"a score", Move::Score,
         [](spoken::Board& b) {
             b.boxes[Box::LargeStraight] = "40"s;
             b.total = "78"s;
             b.rollsLeft = 3;
         },
         "Large straight, 40. Total, 78."},
        {"a score with the bonus", Move::Score,
         [](spoken::Board& b) {
             b.boxes[Box::Fives] = "45"s;
             b.bonus = "35"s;
             b.total = "118"s;
         },
         "Fives, 45. Bonus, 35. Total, 118."},
        {"a zero that leaves the total", Move::Score,
         [](spoken::Board& b) { b.boxes[Box::Ones] = "0"s; }, "Ones, 0."},
        {"the last score", Move::Score,
         [](spoken::Board& b) {
             b.boxes[Box::FourOfAKind] = "0"s;
             b.cardFull = true;
             b.rollsLeft = 0;
         },
         "Four of a kind, 0. The card is full."},
        {"a zero taken back", Move::Score, [](spoken::Board&) {}, ""},
        {"a reset", Move::Reset,
         [](spoken::Board& b) {
             b = spoken::Board{};
             b.faces = {3, 4, 5, 6, 6};
             b.rollsLeft = 3;
         },
         "New game, the card is clear."},
        {"a reset answered No", Move::Reset, [](spoken::Board&) {}, ""},
    };
    for (const Case& c : cases) {
        const spoken::Board before = midGame();
        spoken::Board after = before;
        c.change(after);
        EXPECT_EQ(spoken::news(c.move, before, after), c.said) << c.what;
    }

    spoken::Board held = midGame();
    held.held[1] = true;
    EXPECT_EQ(spoken::news(Move::Hold, held, midGame()), "Die 2, four, on the table.");
}

}  // namespace
}  // namespace quibbix
