#include "platform/pulse/WavFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quibbix {
namespace {

// Headers and the other chunks a tool may write (lists, cue points) fit easily in this.
constexpr std::size_t MaxHeaderBytes = 64 * 1024;
constexpr uint16_t PcmFormat = 1;

uint32_t readLe32(std::span<const std::byte> bytes, std::size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | std::to_integer<uint32_t>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

uint16_t readLe16(std::span<const std::byte> bytes, std::size_t at) {
    return static_cast<uint16_t>(std::to_integer<uint16_t>(bytes[at]) |
                                 (std::to_integer<uint16_t>(bytes[at + 1]) << 8));
}

bool hasTag(std::span<const std::byte> bytes, std::size_t at, const char (&tag)[5]) {
    return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

struct Format {
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
};

std::optional<Format> decodeFormat(std::span<const std::byte> chunk) {
    if (chunk.size() < 16) {
        return std::nullopt;
    }
    const uint16_t tag = readLe16(chunk, 0);
    const uint16_t channels = readLe16(chunk, 2);
    const uint32_t rate = readLe32(chunk, 4);
    const uint16_t blockAlign = readLe16(chunk, 12);
    const uint16_t bits = readLe16(chunk, 14);
    if (tag != PcmFormat || bits != 16 || channels < 1 || channels > 2 || rate < 8000 ||
        rate > 192000 || blockAlign != channels * 2) {
        return std::nullopt;
    }
    return Format{channels, rate};
}

}  // namespace

std::optional<PcmSound> decodeWav(std::span<const std::byte> file) {
    if (file.size() < 12 || !hasTag(file, 0, "RIFF") || !hasTag(file, 8, "WAVE")) {
        return std::nullopt;
    }
    std::optional<Format> format;
    std::size_t at = 12;
    while (file.size() - at >= 8) {
        const uint32_t size = readLe32(file, at + 4);
        const std::size_t body = at + 8;
        if (size > file.size() - body) {
            return std::nullopt;  // truncated, or a header that claims more than the file holds
        }
        const std::span<const std::byte> chunk = file.subspan(body, size);
        if (hasTag(file, at, "fmt ")) {
            format = decodeFormat(chunk);
            if (!format) {
                return std::nullopt;
            }
        } else if (hasTag(file, at, "data")) {
            if (!format) {
                return std::nullopt;
            }
            const std::size_t frameBytes = format->channels * 2u;
            const std::size_t frames = chunk.size() / frameBytes;
            if (frames == 0 || chunk.size() > MaxCueBytes) {
                return std::nullopt;
            }
            PcmSound sound;
            sound.sampleRate = format->sampleRate;
            sound.channels = static_cast<uint8_t>(format->channels);
            sound.samples.resize(frames * format->channels);
            for (std::size_t i = 0; i < sound.samples.size(); ++i) {
                sound.samples[i] = static_cast<int16_t>(readLe16(chunk, 2 * i));
            }
            return sound;
        }
        // Chunks are padded to an even length.
        at = body + size + (size & 1u);
        if (at > file.size()) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<PcmSound> readWavFile(const std::string& path) {
    // Non-blocking, so that a pipe in the file's place cannot hold up the game.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::vector<std::byte> bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        static_cast<std::size_t>(info.st_size) <= MaxCueBytes + MaxHeaderBytes) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);  // a file that shrank while being read decodes as what was read
    }
    ::close(fd);
    return decodeWav(bytes);
}

}  // namespace quibbix
