// The yardstick for a click on Roll: a frameless Qt window of the board's size whose click moves
// five plain child widgets of a die's size to new places on it, built from the same Qt.
#include <QApplication>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QWidget>
#include <array>

namespace {

class Mover : public QWidget {
  public:
    Mover() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
        setFixedSize(789, 598);
        for (QWidget*& block : blocks_) {
            block = new QWidget(this);
            block->setAutoFillBackground(true);
            block->setPalette(QPalette(Qt::red));
            block->resize(70, 67);
        }
        moveBlocks();
    }

  protected:
    void mouseReleaseEvent(QMouseEvent*) override { moveBlocks(); }

  private:
    void moveBlocks() {
        for (QWidget* block : blocks_) {
            block->move(199 + QRandomGenerator::global()->bounded(434),
                        5 + QRandomGenerator::global()->bounded(408));
        }
    }

    std::array<QWidget*, 5> blocks_{};
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    Mover window;
    window.show();
    return application.exec();
}
