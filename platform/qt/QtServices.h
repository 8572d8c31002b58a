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
    Answer Ask(std::string_view message, std::string_view title) override;

  private:
    QPointer<QWidget> parent_;
};

class WidgetRepainter : public Repainter {
  public:
    explicit WidgetRepainter(QWidget* widget) : widget_(widget) {}
    void RepaintNow() override;

  private:
    QPointer<QWidget> widget_;
};

class ApplicationDirectory : public ProgramDirectory {
  public:
    std::string Path() const override;
};

}  // namespace quibbix
