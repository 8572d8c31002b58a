#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QString>
#include <optional>

// A client of sway's IPC socket, the one sway names to the programs it starts (SWAYSOCK): its
// messages are a fixed header and JSON, one request and its reply at a time.
namespace quibbix {

class SwayIpc {
  public:
    // Connected to the socket SWAYSOCK names; none when it names none or nothing answers there.
    static std::optional<SwayIpc> connect();

    SwayIpc(SwayIpc&& other) noexcept;
    SwayIpc& operator=(SwayIpc&& other) noexcept;
    SwayIpc(const SwayIpc&) = delete;
    SwayIpc& operator=(const SwayIpc&) = delete;
    ~SwayIpc();

    // sway's layout tree: outputs, workspaces and every window with its place; none on failure.
    std::optional<QJsonDocument> tree();
    // Runs one of sway's commands (as swaymsg does); true when sway carried it out.
    bool run(const QString& command);

  private:
    explicit SwayIpc(int socket) : socket_(socket) {}
    std::optional<QByteArray> request(quint32 type, const QByteArray& payload);

    int socket_ = -1;
};

}  // namespace quibbix
