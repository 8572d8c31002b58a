#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/skin/SkinFiles.h"

namespace quibbix::skin_test {
namespace {

struct Wav {
    bool riffWave = false;
    int format = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<int16_t> samples;
};

uint32_t little(const std::vector<uint8_t>& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[at + i];
    return value;
}

Wav readWav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    Wav wav;
    if (bytes.size() < 12)
        return wav;
    wav.riffWave =
        std::memcmp(bytes.data(), "RIFF", 4) == 0 && std::memcmp(bytes.data() + 8, "WAVE", 4) == 0;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const uint32_t size = little(bytes, at + 4, 4);
        const size_t body = at + 8;
        if (body + size > bytes.size())
            break;
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0) {
            wav.format = static_cast<int>(little(bytes, body, 2));
            wav.channels = static_cast<int>(little(bytes, body + 2, 2));
            wav.sampleRate = static_cast<int>(little(bytes, body + 4, 4));
            wav.bitsPerSample = static_cast<int>(little(bytes, body + 14, 2));
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
            for (size_t i = body; i + 1 < body + size; i += 2) {
                wav.samples.push_back(static_cast<int16_t>(little(bytes, i, 2)));
            }
        }
        at = body + size + (size % 2);
    }
    return wav;
}

struct SoundRow {
    const char* file;
    double longestSeconds;
};

const SoundRow Sounds[] = {
    {skin::RollSound, 1.5},  {skin::ShakeSound, 1.5}, {skin::DieClickSound, 1.5},
    {skin::CheerSound, 3.0}, {skin::ResetSound, 1.5},
};

TEST(SkinSounds, EachIsSixteenBitPcmAt44100Hz) {
    for (const SoundRow& row : Sounds) {
        SCOPED_TRACE(row.file);
        const Wav wav = readWav(AssetsDir + "/sounds/" + row.file);
        EXPECT_TRUE(wav.riffWave);
        EXPECT_EQ(wav.format, 1);
        EXPECT_TRUE(wav.channels == 1 || wav.channels == 2);
        EXPECT_EQ(wav.sampleRate, 44100);
        EXPECT_EQ(wav.bitsPerSample, 16);
    }
}

TEST(SkinSounds, EachIsShortLoudWithoutClippingAndSilentAtBothEnds) {
    for (const SoundRow& row : Sounds) {
        SCOPED_TRACE(row.file);
        const Wav wav = readWav(AssetsDir + "/sounds/" + row.file);
        ASSERT_GT(wav.channels, 0);
        ASSERT_FALSE(wav.samples.empty());
        const double seconds =
            static_cast<double>(wav.samples.size()) / wav.channels / wav.sampleRate;
        EXPECT_GT(seconds, 0.05);
        EXPECT_LE(seconds, row.longestSeconds);
        int peak = 0;
        for (const int16_t sample : wav.samples) peak = std::max(peak, std::abs(int{sample}));
        EXPECT_LT(peak, 32000) << "clips";
        EXPECT_GT(peak, 16000) << "not normalised";
        EXPECT_LE(std::abs(int{wav.samples.front()}), 64);
        EXPECT_LE(std::abs(int{wav.samples.back()}), 64);
    }
}

}  // namespace
}  // namespace quibbix::skin_test
