#include "platform/qt/QtServices.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QSoundEffect>
#include <QUrl>
#include <QWidget>

namespace quibbix {

Answer MessageBoxQuestions::Ask(std::string_view message, std::string_view title) {
    QMessageBox box(QMessageBox::Question,
                    QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                    QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void WidgetRepainter::RepaintNow() {
    if (widget_) {
        widget_->repaint();
    }
}

std::string ApplicationDirectory::Path() const {
    return QCoreApplication::applicationDirPath().toStdString();
}

SoundEffectOutput::SoundEffectOutput() = default;
SoundEffectOutput::~SoundEffectOutput() = default;

void SoundEffectOutput::PlayFile(const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) {
        return;
    }
    auto& effect = effects_[file];
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(file));
    }
    if (playing_ != nullptr && playing_ != effect.get()) {
        playing_->stop();
    }
    playing_ = effect.get();
    if (effect->status() == QSoundEffect::Error) {
        return;
    }
    effect->stop();  // a cue played again starts from its beginning
    effect->play();
}

}  // namespace quibbix
