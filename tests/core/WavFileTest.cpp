#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/pulse/WavFile.h"

namespace quibbix {
namespace {

using Bytes = std::vector<std::byte>;

void Put32(Bytes& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::byte>(value >> (8 * i)));
    }
}
void Put16(Bytes& out, uint16_t value) {
    out.push_back(static_cast<std::byte>(value));
    out.push_back(static_cast<std::byte>(value >> 8));
}
void PutTag(Bytes& out, const char* tag) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::byte>(tag[i]));
    }
}

struct WavLayout {
    uint16_t formatTag = 1;
    uint16_t channels = 1;
    uint32_t rate = 44100;
    uint16_t bits = 16;
    std::vector<int16_t> samples = {100, -200, 300, -400};
    uint32_t claimedDataBytes = UINT32_MAX;  // UINT32_MAX: the real size
    std::string chunkBeforeData;             // e.g. a LIST chunk some tools write
};

// A layout with one change from the plain mono file.
template <typename Change>
WavLayout With(Change change) {
    WavLayout layout;
    change(layout);
    return layout;
}

Bytes MakeWav(const WavLayout& layout) {
    Bytes out;
    PutTag(out, "RIFF");
    Put32(out, 0);  // readers ignore the RIFF size, as real files often get it wrong
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, layout.formatTag);
    Put16(out, layout.channels);
    Put32(out, layout.rate);
    Put32(out, layout.rate * layout.channels * layout.bits / 8);
    Put16(out, static_cast<uint16_t>(layout.channels * layout.bits / 8));
    Put16(out, layout.bits);
    if (!layout.chunkBeforeData.empty()) {
        PutTag(out, "LIST");
        Put32(out, static_cast<uint32_t>(layout.chunkBeforeData.size()));
        for (char c : layout.chunkBeforeData) {
            out.push_back(static_cast<std::byte>(c));
        }
        if (layout.chunkBeforeData.size() % 2 != 0) {
            out.push_back(std::byte{0});
        }
    }
    PutTag(out, "data");
    const auto realBytes = static_cast<uint32_t>(layout.samples.size() * 2);
    Put32(out, layout.claimedDataBytes == UINT32_MAX ? realBytes : layout.claimedDataBytes);
    for (int16_t sample : layout.samples) {
        Put16(out, static_cast<uint16_t>(sample));
    }
    return out;
}

TEST(WavFile, DecodesPlainPcm) {
    struct Case {
        const char* name;
        WavLayout layout;
        uint8_t channels;
        uint32_t rate;
        std::vector<int16_t> samples;
    };
    const Case cases[] = {
        {"mono", {}, 1, 44100, {100, -200, 300, -400}},
        {"stereo",
         With([](WavLayout& s) {
             s.channels = 2;
             s.rate = 22050;
         }),
         2,
         22050,
         {100, -200, 300, -400}},
        {"an odd-sized chunk before the data",
         With([](WavLayout& s) { s.chunkBeforeData = "abc"; }),
         1,
         44100,
         {100, -200, 300, -400}},
        {"a half frame at the end is dropped",
         With([](WavLayout& s) {
             s.channels = 2;
             s.samples = {1, 2, 3};
         }),
         2,
         44100,
         {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = MakeWav(c.layout);
        const std::optional<PcmSound> sound = decodeWav(file);
        ASSERT_TRUE(sound.has_value());
        EXPECT_EQ(sound->channels, c.channels);
        EXPECT_EQ(sound->sampleRate, c.rate);
        EXPECT_EQ(sound->samples, c.samples);
    }
}

TEST(WavFile, RefusesWhatItCannotPlay) {
    auto truncated = [] {
        Bytes file = MakeWav({});
        file.resize(file.size() - 3);
        return file;
    };
    auto garbage = [] {
        Bytes file(5000);
        for (std::size_t i = 0; i < file.size(); ++i) {
            file[i] = static_cast<std::byte>(i * 7919 % 251);
        }
        return file;
    };
    auto dataBeforeFormat = [] {
        Bytes file;
        PutTag(file, "RIFF");
        Put32(file, 0);
        PutTag(file, "WAVE");
        PutTag(file, "data");
        Put32(file, 4);
        Put32(file, 0);
        return file;
    };
    struct Case {
        const char* name;
        Bytes file;
    };
    const Case cases[] = {
        {"no bytes at all", {}},
        {"garbage", garbage()},
        {"truncated in its data", truncated()},
        {"a data size that claims gigabytes",
         MakeWav(With([](WavLayout& s) { s.claimedDataBytes = 0xF0000000u; }))},
        {"8-bit samples", MakeWav(With([](WavLayout& s) { s.bits = 8; }))},
        {"floating-point samples", MakeWav(With([](WavLayout& s) {
             s.formatTag = 3;
             s.bits = 32;
         }))},
        {"three channels", MakeWav(With([](WavLayout& s) { s.channels = 3; }))},
        {"a rate of 4 kHz", MakeWav(With([](WavLayout& s) { s.rate = 4000; }))},
        {"no samples", MakeWav(With([](WavLayout& s) { s.samples = {}; }))},
        {"data before its format", dataBeforeFormat()},
        {"more sound than a cue may have", MakeWav(With([](WavLayout& s) {
             s.samples = std::vector<int16_t>(MaxCueBytes / 2 + 1);
         }))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(decodeWav(c.file).has_value());
    }
}

class WavFileOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() / ("quibbix-wav-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string PathOf(const char* name) const { return (dir_ / name).string(); }

    std::filesystem::path dir_;
};

TEST_F(WavFileOnDisk, ReadsARealFile) {
    const Bytes wav = MakeWav({});
    std::ofstream(PathOf("cue.wav"), std::ios::binary)
        .write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    const std::optional<PcmSound> sound = readWavFile(PathOf("cue.wav"));
    ASSERT_TRUE(sound.has_value());
    EXPECT_EQ(sound->samples, (std::vector<int16_t>{100, -200, 300, -400}));
}

TEST_F(WavFileOnDisk, GivesNothingWithoutReadingWhatIsNoCueFile) {
    // A pipe nobody writes to would block a plain read for ever; a huge sparse file would fill
    // the memory if it were read.
    ASSERT_EQ(::mkfifo(PathOf("pipe.wav").c_str(), 0600), 0);
    { std::ofstream(PathOf("huge.wav"), std::ios::binary); }
    std::filesystem::resize_file(PathOf("huge.wav"), 8ull << 30);
    std::filesystem::create_directory(PathOf("folder.wav"));
    for (const char* name : {"missing.wav", "pipe.wav", "huge.wav", "folder.wav"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(readWavFile(PathOf(name)).has_value());
    }
}

}  // namespace
}  // namespace quibbix
