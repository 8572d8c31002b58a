#include "game/Scoring.h"

#include <algorithm>

#include "game/Scorecard.h"

namespace quibbix {
namespace {

using Faces = std::array<int, DieCount>;

// How many dice show each value 0..5.
std::array<int, FaceCount> countFaces(const Faces& faces) {
    std::array<int, FaceCount> counts{};
    for (int value : faces) {
        if (value >= 0 && value < FaceCount) {
            ++counts[value];
        }
    }
    return counts;
}

int pipTotal(const Faces& faces) {
    int total = 0;
    for (int value : faces) {
        total += value + 1;
    }
    return total;
}

int upperBox(const Faces& faces, int value) {
    int points = 0;
    for (int die : faces) {
        if (die == value) {
            points += value + 1;
        }
    }
    return points;
}

int ofAKind(const Faces& faces, int threshold) {
    for (int count : countFaces(faces)) {
        if (count >= threshold) {
            return pipTotal(faces);
        }
    }
    return 0;
}

int fullHouse(const Faces& faces) {
    bool three = false;
    bool two = false;
    for (int count : countFaces(faces)) {
        three = three || count == 3;
        two = two || count == 2;
    }
    return three && two ? 25 : 0;
}

// True when every face of the run first..first+length-1 shows on at least one die.
bool hasRun(const std::array<int, FaceCount>& counts, int first, int length) {
    for (int value = first; value < first + length; ++value) {
        if (counts[value] == 0) {
            return false;
        }
    }
    return true;
}

int smallStraight(const Faces& faces) {
    const auto counts = countFaces(faces);
    return hasRun(counts, 0, 4) || hasRun(counts, 1, 4) || hasRun(counts, 2, 4) ? 30 : 0;
}

int largeStraight(const Faces& faces) {
    const auto counts = countFaces(faces);
    return hasRun(counts, 0, 5) || hasRun(counts, 1, 5) ? 40 : 0;
}

}  // namespace

int scoreFor(int box, const Faces& faces) {
    if (box >= 0 && box <= 5) {
        return upperBox(faces, box);
    }
    switch (box) {
        case 6:
            return ofAKind(faces, 3);
        case 7:
            return ofAKind(faces, 4);
        case 8:
            return fullHouse(faces);
        case 9:
            return smallStraight(faces);
        case 10:
            return largeStraight(faces);
        case 11:
            return pipTotal(faces);
        default:
            return 0;
    }
}

// Found by trying every hand, so that it can never disagree with the rules above.
std::optional<int> mostPointsFor(int box) {
    if (box < 0 || box >= FiveOfAKindBox) {
        return std::nullopt;
    }
    static const std::array<int, FiveOfAKindBox> most = [] {
        std::array<int, FiveOfAKindBox> best{};
        int hands = 1;
        for (int die = 0; die < DieCount; ++die) {
            hands *= FaceCount;
        }
        Faces faces{};
        for (int hand = 0; hand < hands; ++hand) {
            for (int die = 0, rest = hand; die < DieCount; ++die, rest /= FaceCount) {
                faces[die] = rest % FaceCount;
            }
            for (int b = 0; b < FiveOfAKindBox; ++b) {
                best[b] = std::max(best[b], scoreFor(b, faces));
            }
        }
        return best;
    }();
    return most[static_cast<size_t>(box)];
}

}  // namespace quibbix
