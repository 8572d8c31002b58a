#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "platform/Services.h"

class QWidget;

// The runtime services of the game core, provided with Qt.
namespace quibbix {

class MessageBoxQuestions : public QuestionBox {
  public:
    explicit MessageBoxQuestions(QWidget* parent) : parent_(parent) {}
    Answer ask(std::string_view message, std::string_view title) override;

  private:
    QPointer<QWidget> parent_;
};

class ApplicationDirectory : public ProgramDirectory {
  public:
    std::string path() const override;
};

// Hands each sound on to `output` once the windows have painted what the same input changed. A
// sound costs the program, the sound server and the X server processor time while the frame is
// being drawn; a millisecond later no one hears the difference, and the frame comes sooner.
class AfterFrameAudioOutput : public QObject, public AudioOutput {
  public:
    explicit AfterFrameAudioOutput(AudioOutput& output) : output_(output) {}
    void playFile(const std::string& path) override;

  protected:
    void customEvent(QEvent* event) override;

  private:
    AudioOutput& output_;
};

}  // namespace quibbix
