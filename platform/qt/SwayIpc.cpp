#include "platform/qt/SwayIpc.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonObject>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace quibbix {
namespace {

constexpr char Magic[] = {'i', '3', '-', 'i', 'p', 'c'};
constexpr int HeaderSize = sizeof Magic + 2 * sizeof(quint32);
constexpr quint32 RunCommand = 0;
constexpr quint32 GetTree = 4;
// A reply larger than this is not sway's: a tree of a few hundred windows is well under it.
constexpr quint32 MostReply = 16U << 20U;

bool sendAll(int socket, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t sent = ::send(socket, data, size, MSG_NOSIGNAL);
        if (sent <= 0) {
            return false;
        }
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

bool receiveAll(int socket, char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t got = ::recv(socket, data, size, 0);
        if (got <= 0) {
            return false;
        }
        data += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace

std::optional<SwayIpc> SwayIpc::connect() {
    const char* const path = std::getenv("SWAYSOCK");
    sockaddr_un address{};
    if (path == nullptr || *path == '\0' || std::strlen(path) >= sizeof address.sun_path) {
        return std::nullopt;
    }
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) {
        return std::nullopt;
    }
    // sway answers at once; a socket left behind by a sway that hangs must not hang the game.
    const timeval limit{1, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    ::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(socket);
        return std::nullopt;
    }
    return SwayIpc(socket);
}

SwayIpc::SwayIpc(SwayIpc&& other) noexcept : socket_(std::exchange(other.socket_, -1)) {}

SwayIpc& SwayIpc::operator=(SwayIpc&& other) noexcept {
    std::swap(socket_, other.socket_);
    return *this;
}

SwayIpc::~SwayIpc() {
    if (socket_ >= 0) {
        ::close(socket_);
    }
}

std::optional<QByteArray> SwayIpc::request(quint32 type, const QByteArray& payload) {
    QByteArray message(Magic, sizeof Magic);
    const auto size = static_cast<quint32>(payload.size());
    message.append(reinterpret_cast<const char*>(&size), sizeof size);
    message.append(reinterpret_cast<const char*>(&type), sizeof type);
    message.append(payload);
    char header[HeaderSize];
    if (!sendAll(socket_, message.constData(), static_cast<std::size_t>(message.size())) ||
        !receiveAll(socket_, header, sizeof header) ||
        std::memcmp(header, Magic, sizeof Magic) != 0) {
        return std::nullopt;
    }
    quint32 replySize = 0;
    quint32 replyType = 0;
    std::memcpy(&replySize, header + sizeof Magic, sizeof replySize);
    std::memcpy(&replyType, header + sizeof Magic + sizeof replySize, sizeof replyType);
    if (replyType != type || replySize > MostReply) {
        return std::nullopt;
    }
    QByteArray reply(static_cast<qsizetype>(replySize), Qt::Uninitialized);
    if (!receiveAll(socket_, reply.data(), replySize)) {
        return std::nullopt;
    }
    return reply;
}

std::optional<QJsonDocument> SwayIpc::tree() {
    const std::optional<QByteArray> reply = request(GetTree, {});
    if (!reply) {
        return std::nullopt;
    }
    QJsonDocument document = QJsonDocument::fromJson(*reply);
    if (!document.isObject()) {
        return std::nullopt;
    }
    return document;
}

bool SwayIpc::run(const QString& command) {
    const std::optional<QByteArray> reply = request(RunCommand, command.toUtf8());
    if (!reply) {
        return false;
    }
    // One result per command: [{"success": true}].
    const QJsonArray results = QJsonDocument::fromJson(*reply).array();
    return !results.isEmpty() &&
           results.first().toObject().value(QLatin1String("success")).toBool();
}

}  // namespace quibbix
