#pragma once

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

}  // namespace quibbix
