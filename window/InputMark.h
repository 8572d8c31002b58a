#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <functional>

namespace quibbix {

// A mark in the X server's stream of events to this program. The server answers it with an event
// of its own, and that event comes after every input event the server made before it: by the time
// the answer is handled, all input up to that moment has reached the program's widgets. Only on
// X11; elsewhere `available()` is false and nothing is ever sent.
class InputMark : public QAbstractNativeEventFilter {
  public:
    // `reached` is called, with the server's time of the mark, once the input events before the
    // mark have been handed to the widgets; `receiver` keeps it on its thread and ends it with it.
    InputMark(QObject* receiver, std::function<void(uint32_t serverTime)> reached);
    ~InputMark() override;
    InputMark(const InputMark&) = delete;
    InputMark& operator=(const InputMark&) = delete;

    bool available() const { return connection_ != nullptr; }
    bool pending() const { return pending_; }
    // Asks for a mark on `window` (an X window id), unless one is on its way.
    void send(uintptr_t window);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    QObject* receiver_;
    std::function<void(uint32_t)> reached_;
    void* connection_ = nullptr;  // the toolkit's xcb connection
    uint32_t atom_ = 0;           // the property touched for a mark, named at the first one
    bool pending_ = false;
};

// Whether X server time `a` comes before `b`. The server's clock counts milliseconds in 32 bits
// and wraps after 49 days, so the order is that of the shorter way round.
constexpr bool serverTimeBefore(uint32_t a, uint32_t b) {
    return static_cast<int32_t>(b - a) > 0;
}

}  // namespace quibbix
