#include "window/frmMain.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWindow>

#include "assets/SkinAssets.h"
#include "platform/Twips.h"
#include "window/Layout.h"
#include "window/RegionFromPicture.h"

namespace quibbix {
namespace {

QImage SkinPicture(const char* resource) {
    return QImage(QString::fromLatin1(resource));
}

QFont ScoreFont() {
    static const int builtIn =
        QFontDatabase::addApplicationFont(QString::fromLatin1(skin::ScoreFontFile));
    (void)builtIn;  // registered once; used only where the preferred face is missing
    const QString family = QFontDatabase::families().contains(layout::PreferredScoreFont)
                               ? QString::fromLatin1(layout::PreferredScoreFont)
                               : QString::fromLatin1(skin::ScoreFontFamily);
    QFont font(family);
    font.setPixelSize(layout::ScoreTextPixels);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace

frmMain::frmMain()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      board_(SkinPicture(skin::Board)),
      noEntry_(QPixmap::fromImage(SkinPicture(skin::NoEntry)), skin::NoEntryHotSpotX,
               skin::NoEntryHotSpotY) {
    setWindowTitle(QStringLiteral("QuibBix!"));
    setWindowIcon(QIcon(QPixmap::fromImage(SkinPicture(skin::Icon))));
    setFixedSize(PixelsFromTwips(layout::WindowWidth), PixelsFromTwips(layout::WindowHeight));
    setMouseTracking(true);
    CreateControls();
    ConnectHandlers();
    Form_Load();
    Form_Initialize();
}

// Created bottom first, so that each layer stacks with its first control on top, and every
// picture box lies above every label, image and line.
void frmMain::CreateControls() {
    const QImage quit = SkinPicture(skin::Quit);
    const QImage quitHover = SkinPicture(skin::QuitHover);
    imgQuit[1] = new ImageControl(this, layout::QuitButton, quitHover);
    imgQuit[0] = new ImageControl(this, layout::QuitButton, quit);
    lblTotal = new LabelControl(this, layout::TotalBox, false);
    for (int box = ScoreBoxCount - 1; box >= 0; --box) {
        lblScore[box] = new LabelControl(this, layout::ScoreBox(box), true);
    }
    lblHide = new LabelControl(this, layout::MinimiseSpot, false);
    lblBye = new LabelControl(this, layout::CloseSpot, false);
    Line1 = new LineControl(this, layout::DividerX, layout::DividerBottom, layout::DividerX,
                            layout::DividerTop);
    lblBonus = new LabelControl(this, layout::BonusBox, false);
    imgRoll[1] = new ImageControl(this, layout::RollButton, SkinPicture(skin::RollHover));
    imgRoll[0] = new ImageControl(this, layout::RollButton, SkinPicture(skin::Roll));
    imgReset[1] = new ImageControl(this, layout::ResetButton, SkinPicture(skin::ResetHover));
    imgReset[0] = new ImageControl(this, layout::ResetButton, SkinPicture(skin::Reset));

    const int faceStoreOrder[FaceCount] = {0, 1, 5, 4, 3, 2};
    for (int face : faceStoreOrder) {
        diceHolder[face] = new PictureBox(this, layout::FaceStore[face]);
        diceHolder[face]->SetPicture(SkinPicture(skin::DieFaces[face]));
        diceHolder[face]->hide();
    }
    picQuibbix = new PictureBox(this, layout::BannerStore);
    picQuibbix->SetPicture(SkinPicture(skin::Banner));
    picQuibbix->hide();
    picBox2 = new PictureBox(this, layout::OutlineWorkBox);
    picBox2->hide();
    for (int die = 0; die < DieCount; ++die) {
        tpicRolled[die] = new PictureBox(this, layout::Dice[die]);
    }
    TPICQuibbix = new PictureBox(this, layout::Banner);
    TPICQuibbix->hide();

    const QFont scoreFont = ScoreFont();
    for (LabelControl* label : lblScore) {
        label->setFont(scoreFont);
    }
    lblBonus->setFont(scoreFont);
    lblTotal->setFont(scoreFont);
    for (ImageControl* roll : imgRoll) {
        roll->setCursor(noEntry_);
    }
}

void frmMain::ConnectHandlers() {
    for (int16_t i = 0; i < 2; ++i) {
        connect(imgRoll[i], &BoardControl::clicked, this, [this, i] { imgRoll_Click(i); });
        connect(imgRoll[i], &BoardControl::mouseMoved, this, [this, i] { imgRoll_MouseMove(i); });
        connect(imgReset[i], &BoardControl::clicked, this, [this, i] { imgReset_Click(i); });
        connect(imgReset[i], &BoardControl::mouseMoved, this, [this, i] { imgReset_MouseMove(i); });
        connect(imgQuit[i], &BoardControl::clicked, this, [this, i] { imgQuit_Click(i); });
        connect(imgQuit[i], &BoardControl::mouseMoved, this, [this, i] { imgQuit_MouseMove(i); });
    }
    for (int16_t die = 0; die < DieCount; ++die) {
        connect(tpicRolled[die], &BoardControl::clicked, this,
                [this, die] { tpicRolled_Click(die); });
    }
    for (int16_t box = 0; box < ScoreBoxCount; ++box) {
        connect(lblScore[box], &BoardControl::clicked, this, [this, box] { lblScore_Click(box); });
    }
    connect(lblHide, &BoardControl::clicked, this, [this] { lblHide_Click(); });
    connect(lblBye, &BoardControl::clicked, this, [this] { lblBye_Click(); });
}

void frmMain::Form_Load() {
    TPICQuibbix->SetPicture(picQuibbix->Picture());
    ShapeFromPicture(TPICQuibbix, TPICQuibbix);
    random_.Seed(SecondsSinceMidnight());
    game_.Form_Load();  // shake armed, holder slots, dice to the start row, no roll yet
    picBox2->SetPicture(board_);
    ShapeFromPicture(picBox2, this);
}

void frmMain::Form_Initialize() {
    for (int die = 0; die < DieCount; ++die) {
        tpicRolled[die]->SetPicture(diceHolder[5]->Picture());
    }
    for (int die = 0; die < DieCount; ++die) {
        ShapeFromPicture(tpicRolled[die], tpicRolled[die]);
    }
}

void frmMain::ShapeFromPicture(PictureBox* source, QWidget* target) {
    int32_t keyColour = 0;  // detect the key from the picture's own corner
    const QRegion region =
        RegionFromPicture(source->Picture(), source->Width(), source->Height(), keyColour);
    // Qt reads an empty mask as "no mask"; a shape with no pixels must show nothing at all.
    target->setMask(region.isEmpty() ? QRegion(-1, -1, 1, 1) : region);
}

void frmMain::ShowFace(int die, int16_t value) {
    tpicRolled[die]->SetPicture(diceHolder[value]->Picture());
}

void frmMain::ShapeDie(int die) {
    ShapeFromPicture(tpicRolled[die], tpicRolled[die]);
}

std::string frmMain::BoxText(int box) const {
    return lblScore[box]->Text().toStdString();
}

void frmMain::SetBoxText(int box, const std::string& text) {
    lblScore[box]->SetText(QString::fromStdString(text));
}

std::string frmMain::BonusText() const {
    return lblBonus->Text().toStdString();
}

void frmMain::SetBonusText(const std::string& text) {
    lblBonus->SetText(QString::fromStdString(text));
}

std::string frmMain::TotalText() const {
    return lblTotal->Text().toStdString();
}

void frmMain::SetTotalText(const std::string& text) {
    lblTotal->SetText(QString::fromStdString(text));
}

int32_t frmMain::WindowWidth() const {
    return TwipsFromPixels(width());
}

int32_t frmMain::WindowHeight() const {
    return TwipsFromPixels(height());
}

void frmMain::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, board_);
}

void frmMain::mousePressEvent(QMouseEvent* event) {
    Form_MouseDown(event);
}

void frmMain::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove(event);
}

void frmMain::imgRoll_Click(int16_t) {
    game_.imgRoll_Click();
}

void frmMain::imgRoll_MouseMove(int16_t index) {
    if (index == 0) {
        imgRoll[0]->hide();
    }
    const RollPointer pointer = game_.imgRoll_MouseMove();
    const QCursor cursor = pointer == RollPointer::Arrow ? QCursor(Qt::ArrowCursor) : noEntry_;
    imgRoll[index]->setCursor(cursor);
    if (index == 0) {
        imgRoll[1]->setCursor(cursor);  // the element now under the pointer
    }
}

void frmMain::imgReset_Click(int16_t) {
    game_.imgReset_Click();
}

void frmMain::imgReset_MouseMove(int16_t index) {
    if (index == 0) {
        imgReset[0]->hide();
    }
}

void frmMain::imgQuit_Click(int16_t) {
    if (game_.ConfirmQuit()) {
        close();
    }
}

void frmMain::imgQuit_MouseMove(int16_t index) {
    if (index == 0) {
        imgQuit[0]->hide();
    }
}

void frmMain::tpicRolled_Click(int16_t index) {
    game_.tpicRolled_Click(index);
}

void frmMain::lblScore_Click(int16_t index) {
    game_.lblScore_Click(index);
}

void frmMain::lblHide_Click() {
    showMinimized();
}

void frmMain::lblBye_Click() {
    close();
}

void frmMain::Form_MouseDown(QMouseEvent* event) {
    const QPointF at = event->position();
    game_.Form_MouseDown(at.x() * TwipsPerPixel, at.y() * TwipsPerPixel);
    // Where a program may not place its own window, the window system moves it instead.
    if (event->button() == Qt::LeftButton && event->buttons() == Qt::LeftButton &&
        QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && windowHandle()) {
        windowHandle()->startSystemMove();
    }
}

void frmMain::Form_MouseMove(QMouseEvent* event) {
    for (auto* button : {imgQuit[0], imgReset[0], imgRoll[0]}) {
        if (button->isHidden()) {
            button->show();
        }
    }
    const QPointF at = event->position();
    const auto shift = game_.Form_MouseMove(static_cast<int>(event->buttons()),
                                            at.x() * TwipsPerPixel, at.y() * TwipsPerPixel);
    if (shift) {
        move(x() + PixelsFromTwips(shift->dx), y() + PixelsFromTwips(shift->dy));
    }
}

}  // namespace quibbix
