#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quibbix {

// A cue's sound as the output plays it: interleaved signed 16-bit samples.
struct PcmSound {
    uint32_t sampleRate = 0;
    uint8_t channels = 0;
    std::vector<int16_t> samples;  // channels * frames values
};

// The largest sound a cue may have: about 23 seconds of CD-quality stereo, far more than any cue
// needs, and what a sound server buffers for one stream.
inline constexpr std::size_t MaxCueBytes = 4 * 1024 * 1024;

// Decodes a WAV file held in memory: uncompressed 16-bit PCM, mono or stereo, 8 to 192 kHz.
// Anything else, and any file whose chunks claim more bytes than it holds, is no cue and gives
// nothing.
std::optional<PcmSound> decodeWav(std::span<const std::byte> file);

// Reads and decodes the WAV file at `path`. Only a regular file of at most MaxCueBytes (plus room
// for its header) is read at all, so a cue can neither block on a pipe nor fill the memory.
std::optional<PcmSound> readWavFile(const std::string& path);

}  // namespace quibbix
