#include "platform/qt/QtServices.h"

#include <QCoreApplication>
#include <QMessageBox>
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

}  // namespace quibbix
