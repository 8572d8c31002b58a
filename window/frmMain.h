#pragma once

#include <QCursor>
#include <QImage>
#include <QWidget>
#include <array>

#include "game/Board.h"
#include "game/Game.h"
#include "platform/SeededRandom.h"
#include "platform/pulse/PulseAudioOutput.h"
#include "platform/qt/QtServices.h"
#include "sound/FileCuePlayer.h"
#include "window/Controls.h"

namespace quibbix {

// The one window of the game: the painted board, cut to its outline, with the controls that show
// what changes. It keeps no rule of the game: it shows the board to the game core and passes every
// click and move on to the core's handler of the same name.
class frmMain : public QWidget, public Board {
    Q_OBJECT
  public:
    frmMain();

    Game& game() { return game_; }

    // Board
    int32_t DieLeft(int die) const override { return tpicRolled[die]->Left(); }
    int32_t DieTop(int die) const override { return tpicRolled[die]->Top(); }
    int32_t DieWidth(int die) const override { return tpicRolled[die]->Width(); }
    int32_t DieHeight(int die) const override { return tpicRolled[die]->Height(); }
    void SetDieLeft(int die, int32_t twips) override { tpicRolled[die]->SetLeft(twips); }
    void SetDieTop(int die, int32_t twips) override { tpicRolled[die]->SetTop(twips); }
    void ShowFace(int die, int16_t value) override;
    void ShapeDie(int die) override;
    std::string BoxText(int box) const override;
    void SetBoxText(int box, const std::string& text) override;
    std::string BonusText() const override;
    void SetBonusText(const std::string& text) override;
    std::string TotalText() const override;
    void SetTotalText(const std::string& text) override;
    bool BannerVisible() const override { return TPICQuibbix->isVisible(); }
    void SetBannerVisible(bool visible) override { TPICQuibbix->setVisible(visible); }
    int32_t WindowWidth() const override;
    int32_t WindowHeight() const override;

    // The controls, named as on the board.
    PictureBox* TPICQuibbix;
    std::array<PictureBox*, DieCount> tpicRolled;
    PictureBox* picBox2;
    PictureBox* picQuibbix;
    std::array<PictureBox*, FaceCount> diceHolder;
    std::array<ImageControl*, 2> imgReset;
    std::array<ImageControl*, 2> imgRoll;
    LabelControl* lblBonus;
    QWidget* Line1;
    LabelControl* lblBye;
    LabelControl* lblHide;
    std::array<LabelControl*, ScoreBoxCount> lblScore;
    LabelControl* lblTotal;
    std::array<ImageControl*, 2> imgQuit;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void CreateControls();
    void ConnectHandlers();
    void Form_Load();
    void Form_Initialize();
    void ShapeFromPicture(PictureBox* source, QWidget* target);

    void imgRoll_Click(int16_t index);
    void imgRoll_MouseMove(int16_t index);
    void imgReset_Click(int16_t index);
    void imgReset_MouseMove(int16_t index);
    void imgQuit_Click(int16_t index);
    void imgQuit_MouseMove(int16_t index);
    void tpicRolled_Click(int16_t index);
    void lblScore_Click(int16_t index);
    void lblHide_Click();
    void lblBye_Click();
    void Form_MouseDown(QMouseEvent* event);
    void Form_MouseMove(QMouseEvent* event);

    QImage board_;
    QCursor noEntry_;
    MessageBoxQuestions questions_{this};
    WidgetRepainter repainter_{this};
    ApplicationDirectory directory_;
    PulseAudioOutput audio_{"Quibbix"};
    FileCuePlayer sounds_{directory_, audio_};
    SeededRandom random_{0.0f};
    Game game_{*this, Services{random_, questions_, repainter_, sounds_}};
};

}  // namespace quibbix
