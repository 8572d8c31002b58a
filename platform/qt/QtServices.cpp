#include "platform/qt/QtServices.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QWidget>
#include <QWindow>
#include <optional>
#include <string>
#include <utility>

#include "platform/qt/WindowSystem.h"

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

// Keeps the repeats of a held key away from a question, while it is open: a key held down as the
// question opened (Enter on Reset, say) would otherwise answer it, without a deliberate press. The
// X server repeats a key as a release and a press at the same moment; the toolkit marks such a
// press as a repeat only when it finds the press already queued behind the release, and a press
// read a moment later passes for a fresh one. A hand never lets go and presses again within the
// same millisecond, so such a press is a repeat whatever its mark.
//
// While a screen reader listens to the keys, Qt's accessibility bridge takes each key as it arrives
// at the question's window, asks the screen reader, and posts a copy without the key's time. So
// keys are judged as they arrive, with their time, at the window as well as at the widget; a key
// without a time was judged already, and passes unless marked as a repeat. Judged by a time of 0,
// every key would pass for a repeat of the last one released: the second Tab, or the Return
// after the one that opened the question, would be lost.
class FreshKeysOnly : public QObject {
  public:
    explicit FreshKeysOnly(QWidget* question) : question_(question) {
        // Installed after the bridge's filter, so it sees each key before the bridge takes it.
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* receiver, QEvent* event) override {
        const bool press = event->type() == QEvent::KeyPress;
        if ((!press && event->type() != QEvent::KeyRelease) || !inQuestion(receiver)) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->timestamp() == 0) {
            return key->isAutoRepeat();
        }
        if (!press) {
            lastRelease_ = {key->key(), key->timestamp()};
            return false;
        }
        return key->isAutoRepeat() || lastRelease_ == Release{key->key(), key->timestamp()};
    }

  private:
    bool inQuestion(QObject* receiver) const {
        if (auto* widget = qobject_cast<QWidget*>(receiver)) {
            return widget == question_ || question_->isAncestorOf(widget);
        }
        return receiver != nullptr && receiver == question_->windowHandle();
    }

    struct Release {
        int key = 0;
        quint64 timestamp = 0;
        bool operator==(const Release&) const = default;
    };
    QWidget* question_;
    std::optional<Release> lastRelease_;
};

}  // namespace

Answer MessageBoxQuestions::ask(std::string_view message, std::string_view title) {
    QMessageBox box(QMessageBox::Question,
                    QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                    QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setWindowModality(Qt::ApplicationModal);
    const FreshKeysOnly freshKeysOnly(&box);
    if (parent_ != nullptr) {
        keepCentredOver(&box, parent_);
    }
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
