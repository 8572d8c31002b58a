#include "window/Spoken.h"

#include <vector>

namespace quibbix::spoken {

namespace {

constexpr std::array<const char*, 6> FaceWords{"one", "two", "three", "four", "five", "six"};

const char* faceWord(int pips) {
    return FaceWords.at(static_cast<size_t>(pips - 1));
}

std::string valueOr(const std::string& caption, const std::string& text, const char* empty) {
    return caption + ", " + (text.empty() ? std::string(empty) : text);
}

std::string rollsLeftText(int rollsLeft) {
    if (rollsLeft <= 0) {
        return "no rolls left";
    }
    return std::to_string(rollsLeft) + (rollsLeft == 1 ? " roll left" : " rolls left");
}

std::string rolled(const std::array<int, DieCount>& faces) {
    std::string said = "Rolled";
    for (size_t die = 0; die < faces.size(); ++die) {
        said += (die == 0 ? " " : ", ") + std::string(faceWord(faces[die]));
    }
    return said;
}

std::string sentences(const std::vector<std::string>& parts) {
    std::string said;
    for (const std::string& part : parts) {
        if (!said.empty()) {
            said += ' ';
        }
        said += part + '.';
    }
    return said;
}

std::string capitalised(std::string text) {
    if (!text.empty() && text.front() >= 'a' && text.front() <= 'z') {
        text.front() = static_cast<char>(text.front() - 'a' + 'A');
    }
    return text;
}

}  // namespace

std::string roll(int rollsLeft, bool cardFull) {
    return "Roll, " + (cardFull ? std::string("card full") : rollsLeftText(rollsLeft));
}

std::string die(int die, int pips, bool held) {
    return "Die " + std::to_string(die + 1) + ", " + faceWord(pips) +
           (held ? ", held" : ", on the table");
}

std::string box(Box box, const std::string& text, std::optional<int> pointsOnOffer) {
    const std::string caption(captionOf(box).name);
    if (text.empty() && pointsOnOffer) {
        return caption + ", open, " + std::to_string(*pointsOnOffer) + " with these dice";
    }
    return valueOr(caption, text, "open");
}

std::string bonus(const std::string& text) {
    return valueOr(std::string(BonusCaption.name), text, "none");
}

std::string total(const std::string& text) {
    return valueOr(std::string(TotalCaption.name), text, "none");
}

std::string banner() {
    return "Quibbix!! Five of a kind scored";
}

std::string news(Move move, const Board& before, const Board& after) {
    std::vector<std::string> parts;
    const bool awarded = after.banner && !before.banner;
    const bool rolled = move == Move::Roll && (after.rollsLeft != before.rollsLeft || awarded);
    if (move == Move::Roll && !rolled) {
        // Refused, which changes nothing: a sighted player sees the no-entry pointer over Roll.
        return sentences({after.cardFull ? "The card is full" : "No rolls left"});
    }
    if (rolled) {
        parts.push_back(spoken::rolled(after.faces));
    }
    if (move == Move::Hold) {
        for (int d = 0; d < DieCount; ++d) {
            if (after.held[d] != before.held[d]) {
                parts.push_back(die(d, after.faces[d], after.held[d]));
            }
        }
    }
    if (awarded) {
        parts.push_back(banner());
    }
    const bool cardChanged =
        after.boxes != before.boxes || after.bonus != before.bonus || after.total != before.total;
    if (move == Move::Reset) {
        if (cardChanged || after.faces != before.faces || after.held != before.held ||
            after.rollsLeft != before.rollsLeft) {
            parts.push_back("New game, the card is clear");
        }
        return sentences(parts);
    }
    for (Box b : AllBoxes) {
        const std::string& shown = after.boxes[b];
        if (shown != before.boxes[b] && !shown.empty()) {
            parts.push_back(box(b, shown));
        }
    }
    if (after.bonus != before.bonus && !after.bonus.empty()) {
        parts.push_back(bonus(after.bonus));
    }
    if (after.total != before.total && !after.total.empty()) {
        parts.push_back(total(after.total));
    }
    if (after.cardFull && !before.cardFull) {
        parts.push_back("The card is full");
    } else if (rolled && after.rollsLeft < before.rollsLeft) {
        parts.push_back(capitalised(rollsLeftText(after.rollsLeft)));
    }
    return sentences(parts);
}

}  // namespace quibbix::spoken
