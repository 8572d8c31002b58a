#include "window/Spoken.h"

#include <array>

namespace quibbix::spoken {

namespace {

constexpr std::array<const char*, 6> FaceWords{"one", "two", "three", "four", "five", "six"};
constexpr std::array<const char*, 13> Captions{
    "Ones",       "Twos",           "Threes",          "Fours",
    "Fives",      "Sixes",          "Three of a kind", "Four of a kind",
    "Full house", "Small straight", "Large straight",  "Chance",
    "Quibbix!!"};

std::string valueOr(const std::string& caption, const std::string& text, const char* empty) {
    return caption + ", " + (text.empty() ? std::string(empty) : text);
}

}  // namespace

std::string roll(int rollsLeft, bool cardFull) {
    if (cardFull) {
        return "Roll, card full";
    }
    if (rollsLeft <= 0) {
        return "Roll, no rolls left";
    }
    return "Roll, " + std::to_string(rollsLeft) + (rollsLeft == 1 ? " roll left" : " rolls left");
}

std::string die(int die, int face, bool held) {
    return "Die " + std::to_string(die + 1) + ", " + FaceWords.at(static_cast<size_t>(face)) +
           (held ? ", held" : ", on the table");
}

std::string box(int box, const std::string& text) {
    return valueOr(Captions.at(static_cast<size_t>(box)), text, "open");
}

std::string bonus(const std::string& text) {
    return valueOr("Bonus", text, "none");
}

std::string total(const std::string& text) {
    return valueOr("Total", text, "none");
}

std::string banner() {
    return "Quibbix!! Five of a kind scored";
}

}  // namespace quibbix::spoken
