#include "platform/qt/QtServices.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMessageBox>
#include <QSoundEffect>
#include <QUrl>
#include <QWidget>

namespace quibbix {

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

namespace {

void Silence(QtMsgType, const QMessageLogContext&, const QString&) {}

// Whether the machine has any audio output. The sound backend complains on its own when no sound
// server runs; the game says nothing about it.
bool HasAudioOutput() {
    const QtMessageHandler previous = qInstallMessageHandler(Silence);
    const bool found = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(previous);
    return found;
}

}  // namespace

SoundEffectOutput::SoundEffectOutput() : hasOutput_(HasAudioOutput()) {}
SoundEffectOutput::~SoundEffectOutput() = default;

QSoundEffect* SoundEffectOutput::EffectFor(const QString& file) {
    if (!hasOutput_ || !QFileInfo(file).isFile()) {
        return nullptr;
    }
    auto& effect = effects_[file];
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(file));
    }
    return effect.get();
}

void SoundEffectOutput::prepare(const std::string& path) {
    EffectFor(QString::fromStdString(path));
}

void SoundEffectOutput::playFile(const std::string& path) {
    QSoundEffect* effect = EffectFor(QString::fromStdString(path));
    if (effect == nullptr) {
        return;
    }
    if (playing_ != nullptr && playing_ != effect) {
        playing_->stop();
    }
    playing_ = effect;
    if (effect->status() == QSoundEffect::Error) {
        return;
    }
    effect->stop();  // a cue played again starts from its beginning
    effect->play();
}

}  // namespace quibbix
