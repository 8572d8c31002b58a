// The yardstick for the game's start-up: a frameless Qt window of the board's size that paints
// nothing, built from the same Qt.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(789, 598);
    window.show();
    return application.exec();
}
