#include "game/Game.h"

#include "game/Scoring.h"

namespace quibbix {
namespace {

constexpr int RollsPerTurn = 3;

}  // namespace

Game::Game(BoardView& view, TableSize table, Services services)
    : view_(view),
      tableSize_(table),
      services_(services),
      table_(services.random),
      shake_(services.sounds) {}

void Game::start() {
    start(GameSetup{});
}

void Game::start(const GameSetup& setup) {
    shake_.arm();  // the first move over Roll shakes the dice
    rollsTaken_ = setup.rollsTaken;
    card_ = Scorecard(setup.boxes, setup.bonus, setup.fiveOfAKindScored);
    table_.lay(setup.faces, setup.spots);
    if (rollsTaken_ == 0) {
        table_.returnToStart();
    }
    view_.showBanner(false);
    showDice();
    showCard();
}

void Game::roll() {
    if (rollsTaken_ < RollsPerTurn && card_.hasOpenBox()) {
        view_.showBanner(false);
        rollDice();
    }
    shake_.disarm();  // refused or not
}

void Game::rollDice() {
    services_.sounds.play(Cue::Roll);
    ++rollsTaken_;
    table_.roll(tableSize_);
    showDice();
    if (table_.allSameFace()) {
        cheerFiveOfAKind();
        // Entered only now, after the cheer: the board showed the banner and the dice back home
        // first.
        card_.takeFiveOfAKindAward();
        showCard();
    }
}

void Game::cheerFiveOfAKind() {
    endTurn();
    view_.showBanner(true);
    // The banner and the dice back home get a frame of their own before the award enters the
    // card. Paint only: handling queued clicks here would let a reset or a quit run in the middle
    // of the award. They run after the award has been entered.
    view_.repaintNow();
    services_.sounds.play(Cue::Cheer);
}

int Game::rollsLeft() const {
    return cardFull() ? 0 : RollsPerTurn - rollsTaken_;
}

void Game::pointerOverRoll() {
    const bool rollWouldGo = card_.hasOpenBox() && rollsTaken_ < RollsPerTurn;
    shake_.pointerOverRoll();
    view_.showRollPointer(rollWouldGo ? RollPointer::Arrow : RollPointer::NoEntry);
}

void Game::toggleDie(int die) {
    if (rollsTaken_ == 0 || die < 0 || die >= DieCount) {
        return;
    }
    services_.sounds.play(Cue::DieClick);
    table_.toggle(die);
    showDice();
}

void Game::scoreBox(Box box) {
    shake_.arm();  // every click on a box, refused or not
    if (rollsTaken_ == 0 || !card_.isOpen(box)) {
        return;
    }
    const int points = scoreFor(box, table_.faces());
    if (points == 0 && !playerEntersZero(box)) {
        return;
    }
    card_.enter(box, points);
    endTurn();
    showCard();
}

bool Game::playerEntersZero(Box box) {
    view_.showBox(box, Scorecard::textOf(0));
    if (services_.questions.ask("Score ZERO points here?", "Quibbix!!") == Answer::Yes) {
        return true;
    }
    view_.showBox(box, card_.boxText(box));
    return false;
}

void Game::endTurn() {
    table_.returnToStart();
    rollsTaken_ = 0;
    showDice();
}

void Game::reset() {
    if (services_.questions.ask("Are you sure you want to reset the game?", "Quibbix!!") ==
        Answer::No) {
        return;
    }
    view_.showBanner(false);
    card_.clear();
    showCard();
    endTurn();
    services_.sounds.play(Cue::Reset);
}

bool Game::confirmQuit() {
    return services_.questions.ask("Are you sure you want to quit?", "Quibbix!") == Answer::Yes;
}

void Game::showDice() {
    for (int index = 0; index < DieCount; ++index) {
        const Die& die = table_.die(index);
        view_.showDie(index, die.pips, die.position, die.isHeld());
    }
    showPointsOnOffer();
    showRollsLeft();
}

void Game::showCard() {
    view_.showBonus(card_.bonusText());
    for (Box box : AllBoxes) {
        view_.showBox(box, card_.boxText(box));
    }
    view_.showTotal(card_.totalText());
    showPointsOnOffer();
    showRollsLeft();
}

void Game::showRollsLeft() {
    view_.showRollsLeft(rollsLeft(), cardFull());
}

void Game::showPointsOnOffer() {
    for (Box box : AllBoxes) {
        const bool onOffer = rollsTaken_ > 0 && card_.isOpen(box);
        view_.showPointsOnOffer(
            box, onOffer ? std::optional<int>(scoreFor(box, table_.faces())) : std::nullopt);
    }
}

}  // namespace quibbix
