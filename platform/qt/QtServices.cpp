#include "platform/qt/QtServices.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QWidget>
#include <string>
#include <utility>

namespace quibbix {
namespace {

class PlayEvent : public QEvent {
  public:
    static inline const Type Kind = static_cast<Type>(QEvent::registerEventType());
    explicit PlayEvent(std::string path) : QEvent(Kind), path(std::move(path)) {}
    const std::string path;
};

// Qt posts a window's repaint at Qt::LowEventPriority; one step below, the sound comes after it
// even when the repaint is asked for after the sound, as a roll does.
constexpr int AfterRepaints = Qt::LowEventPriority - 1;

}  // namespace

Answer MessageBoxQuestions::ask(std::string_view message, std::string_view title) {
    QMessageBox box(QMessageBox::Question,
                    QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                    QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::string ApplicationDirectory::path() const {
    return QCoreApplication::applicationDirPath().toStdString();
}

void AfterFrameAudioOutput::playFile(const std::string& path) {
    QCoreApplication::postEvent(this, new PlayEvent(path), AfterRepaints);
}

void AfterFrameAudioOutput::customEvent(QEvent* event) {
    if (event->type() == PlayEvent::Kind) {
        output_.playFile(static_cast<PlayEvent*>(event)->path);
    }
}

}  // namespace quibbix
