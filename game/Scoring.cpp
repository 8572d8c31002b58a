#include "game/Scoring.h"

#include <algorithm>

namespace quibbix {
namespace {

using Faces = std::array<int, DieCount>;

// How many dice show each number of pips: one die at counts[0], two at counts[1], ...
constexpr std::array<int, FaceCount> countFaces(const Faces& faces) {
    std::array<int, FaceCount> counts{};
    for (int pips : faces) {
        if (pips >= 1 && pips <= FaceCount) {
            ++counts[pips - 1];
        }
    }
    return counts;
}

constexpr int pipTotal(const Faces& faces) {
    int total = 0;
    for (int pips : faces) {
        total += pips;
    }
    return total;
}

constexpr int upperBox(const Faces& faces, int pips) {
    int points = 0;
    for (int die : faces) {
        if (die == pips) {
            points += pips;
        }
    }
    return points;
}

constexpr int ofAKind(const Faces& faces, int threshold) {
    for (int count : countFaces(faces)) {
        if (count >= threshold) {
            return pipTotal(faces);
        }
    }
    return 0;
}

constexpr int fullHouse(const Faces& faces) {
    bool three = false;
    bool two = false;
    for (int count : countFaces(faces)) {
        three = three || count == 3;
        two = two || count == 2;
    }
    return three && two ? 25 : 0;
}

// True when each of the pips first..first+length-1 shows on at least one die.
constexpr bool hasRun(const std::array<int, FaceCount>& counts, int first, int length) {
    for (int pips = first; pips < first + length; ++pips) {
        if (counts[pips - 1] == 0) {
            return false;
        }
    }
    return true;
}

constexpr int smallStraight(const Faces& faces) {
    const auto counts = countFaces(faces);
    return hasRun(counts, 1, 4) || hasRun(counts, 2, 4) || hasRun(counts, 3, 4) ? 30 : 0;
}

constexpr int largeStraight(const Faces& faces) {
    const auto counts = countFaces(faces);
    return hasRun(counts, 1, 5) || hasRun(counts, 2, 5) ? 40 : 0;
}

constexpr int pointsFor(Box box, const Faces& faces) {
    if (isUpper(box)) {
        return upperBox(faces, pipsCountedBy(box));
    }
    switch (box) {
        case Box::ThreeOfAKind:
            return ofAKind(faces, 3);
        case Box::FourOfAKind:
            return ofAKind(faces, 4);
        case Box::FullHouse:
            return fullHouse(faces);
        case Box::SmallStraight:
            return smallStraight(faces);
        case Box::LargeStraight:
            return largeStraight(faces);
        case Box::Chance:
            return pipTotal(faces);
        default:
            return 0;
    }
}

// The next hand with faces that never fall from one die to the next; false after the last. The
// order of the dice never changes a score, so these are all the hands there are.
constexpr bool nextHand(Faces& faces) {
    for (int die = DieCount - 1; die >= 0; --die) {
        if (faces[die] < FaceCount) {
            ++faces[die];
            for (int later = die + 1; later < DieCount; ++later) {
                faces[later] = faces[die];
            }
            return true;
        }
    }
    return false;
}

// The most each box can hold, found while compiling by trying every hand, so that it can never
// disagree with the rules above.
constexpr PerBox<int> MostPoints = [] {
    PerBox<int> most{};
    Faces faces{1, 1, 1, 1, 1};
    do {
        for (Box box : AllBoxes) {
            most[box] = std::max(most[box], pointsFor(box, faces));
        }
    } while (nextHand(faces));
    return most;
}();

}  // namespace

int scoreFor(Box box, const Faces& faces) {
    return pointsFor(box, faces);
}

std::optional<int> mostPointsFor(Box box) {
    if (box == Box::FiveOfAKind) {
        return std::nullopt;
    }
    return MostPoints[box];
}

}  // namespace quibbix
