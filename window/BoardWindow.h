#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "game/BoardView.h"
#include "game/Game.h"
#include "platform/Services.h"
#include "platform/qt/QtServices.h"
#include "window/Controls.h"
#include "window/FeltDrag.h"
#include "window/Skin.h"
#include "window/Spoken.h"

namespace quibbix {

// The one window of the game: the painted board, cut to its outline, with the controls that show
// the game. It keeps no rule of the game: it shows what the game tells it and turns clicks and
// pointer moves into the game's calls. It asks the game's questions itself; the dice and the
// sounds come from outside, and must outlive it. Its controls carry object names for tests to
// find them.
class BoardWindow : public QWidget, private BoardView {
    Q_OBJECT
  public:
    // The skin's pictures may have been decoded beforehand, on another thread.
    BoardWindow(SkinPictures pictures, RandomSource& random, CuePlayer& sounds);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void createControls();
    void connectControls();
    void describeControls();
    void describeBox(Box box);
    // Runs what the player asked for, then tells a screen reader what it changed.
    template <typename Action>
    void play(spoken::Move move, Action action);
    spoken::Board shownBoard() const;
    void minimise();
    // Lights the button under `at`, or puts every button out over the felt, as a move there would.
    void showHoverAt(QPoint at);
    void putOutButtons();
    void followDrag();
    // Gives the score boxes their font, once: before the first score is shown, and otherwise just
    // after the first frame, so that the font database is not started before the board is seen.
    void useScoreFont();
    // Moves the focus `step` places along `controls`, round the end; from outside them, to the
    // first (forwards) or the last (backwards).
    void moveFocus(const std::vector<BoardControl*>& controls, int step);

    void showDie(int die, int pips, TwipsPoint position, bool held) override;
    void showBox(Box box, const std::string& text) override;
    void showPointsOnOffer(Box box, std::optional<int> points) override;
    void showBonus(const std::string& text) override;
    void showTotal(const std::string& text) override;
    void showBanner(bool shown) override;
    void showRollsLeft(int rollsLeft, bool cardFull) override;
    void showRollPointer(RollPointer pointer) override;
    void repaintNow() override;
    TableSize tableSize() const;

    const Skin skin_;
    PictureControl* banner_ = nullptr;
    std::array<PictureControl*, DieCount> dice_{};
    std::array<int, DieCount> shownFaces_{};  // pips; none shown yet
    std::array<bool, DieCount> shownHeld_{};
    PerBox<std::optional<int>> pointsOnOffer_{};
    int rollsLeft_ = 0;
    bool cardFull_ = false;
    PerBox<TextBox*> boxes_{};
    TextBox* bonus_ = nullptr;
    TextBox* total_ = nullptr;
    HoverButton* rollButton_ = nullptr;
    HoverButton* resetButton_ = nullptr;
    HoverButton* quitButton_ = nullptr;
    BoardControl* minimiseSpot_ = nullptr;
    BoardControl* closeSpot_ = nullptr;
    NewsNotice* news_ = nullptr;
    bool scoreFontUsed_ = false;
    bool firstFramePainted_ = false;
    FeltDrag drag_;
    // The keyboard's way through the board, as it reads: Roll, the dice, the boxes top to bottom,
    // Reset, Quit. The arrow keys move within a group of these.
    std::vector<BoardControl*> tabOrder_;
    std::vector<std::vector<BoardControl*>> focusGroups_;

    MessageBoxQuestions questions_{this};
    Game game_;
};

}  // namespace quibbix
