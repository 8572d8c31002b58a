#pragma once

#include <QPointer>
#include <QString>
#include <map>
#include <memory>

#include "platform/Services.h"

class QWidget;
class QSoundEffect;

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

// Plays WAV files through the platform's sound server. One cue at a time: a new cue stops the one
// still playing. A file that is missing or broken, or a machine without any audio output, plays
// nothing and prints nothing, and the game goes on.
class SoundEffectOutput : public AudioOutput {
  public:
    SoundEffectOutput();
    ~SoundEffectOutput() override;
    void prepare(const std::string& path) override;
    void playFile(const std::string& path) override;

  private:
    QSoundEffect* EffectFor(const QString& file);

    bool hasOutput_;  // asked once: without any audio output every cue is passed over in silence
    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;  // loaded once per file
    QSoundEffect* playing_ = nullptr;
};

}  // namespace quibbix
