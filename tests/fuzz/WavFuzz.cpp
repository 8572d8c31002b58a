// Fuzzes the WAV decoder of the sound output with whole files: each must decode or be refused
// cleanly, decode as the plain reading below does, and read from a file as it decodes in memory.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string>

#include "platform/pulse/WavFile.h"

namespace {

using quibbix::PcmSound;

// The format as the decoder documents it, read in the plainest way: a RIFF/WAVE file is a row of
// chunks (a tag, a little-endian size, the body, a pad byte after an odd body); the last "fmt "
// before the first "data" describes the samples, which must be 16-bit PCM, mono or stereo, 8 to
// 192 kHz, two bytes a sample in each frame; a chunk that runs past the end of the file, or
// samples past MaxCueBytes, or none at all, make no cue. What follows the samples is not read
// (as players do), and the RIFF size is ignored (tools often get it wrong).
std::optional<PcmSound> referenceDecode(const uint8_t* file, std::size_t size) {
    auto u16 = [&](std::size_t at) { return uint32_t{file[at]} | uint32_t{file[at + 1]} << 8; };
    auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
    auto tagIs = [&](std::size_t at, const char* tag) {
        return std::memcmp(file + at, tag, 4) == 0;
    };
    if (size < 12 || !tagIs(0, "RIFF") || !tagIs(8, "WAVE")) {
        return std::nullopt;
    }
    std::optional<PcmSound> format;
    for (std::size_t at = 12; at + 8 <= size;) {
        const uint64_t length = u32(at + 4);
        const std::size_t body = at + 8;
        if (body + length > size) {
            return std::nullopt;
        }
        if (tagIs(at, "fmt ")) {
            if (length < 16) {
                return std::nullopt;
            }
            const uint32_t tag = u16(body), channels = u16(body + 2), rate = u32(body + 4),
                           blockAlign = u16(body + 12), bits = u16(body + 14);
            if (tag != 1 || bits != 16 || (channels != 1 && channels != 2) || rate < 8000 ||
                rate > 192000 || blockAlign != 2 * channels) {
                return std::nullopt;
            }
            format = PcmSound{rate, static_cast<uint8_t>(channels), {}};
        } else if (tagIs(at, "data")) {
            if (!format || length > quibbix::MaxCueBytes) {
                return std::nullopt;
            }
            const uint64_t frames = length / (2u * format->channels);
            if (frames == 0) {
                return std::nullopt;
            }
            for (std::size_t i = 0; i < frames * format->channels; ++i) {
                format->samples.push_back(static_cast<int16_t>(u16(body + 2 * i)));
            }
            return format;
        }
        at = body + length + length % 2;
    }
    return std::nullopt;
}

bool same(const std::optional<PcmSound>& a, const std::optional<PcmSound>& b) {
    if (a.has_value() != b.has_value()) {
        return false;
    }
    return !a || (a->sampleRate == b->sampleRate && a->channels == b->channels &&
                  a->samples == b->samples);
}

void finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

// The file reader also sees the bytes, through a file in memory that each input overwrites.
int memoryFile() {
    static const int fd = ::memfd_create("wav-fuzz", MFD_CLOEXEC);
    if (fd < 0) {
        std::perror("memfd_create");
        std::abort();
    }
    return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::optional<PcmSound> decoded =
        quibbix::decodeWav(std::as_bytes(std::span<const uint8_t>(data, size)));
    if (!same(decoded, referenceDecode(data, size))) {
        finding(decoded ? "the decoder gives other samples than the plain reading, or takes what "
                          "it refuses"
                        : "the decoder refuses what the plain reading takes");
    }

    const int fd = memoryFile();
    if (::ftruncate(fd, 0) != 0 ||
        (size > 0 && ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))) {
        std::perror("writing the file in memory");
        std::abort();
    }
    if (!same(quibbix::readWavFile("/proc/self/fd/" + std::to_string(fd)), decoded)) {
        finding("the file reader and the decoder disagree");
    }
    return 0;
}
