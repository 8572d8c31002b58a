#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "sound/FileCuePlayer.h"
#include "sound/SoundLookup.h"

namespace quibbix {
namespace {

namespace fs = std::filesystem;

// A prefix as an install makes it: the program in bin/, the sounds in share/quibbix/sounds/.
class SoundLookup : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "quibbix-sounds-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        prefix_ = pattern;
        fs::create_directories(bin());
        fs::create_directories(shared());
    }
    void TearDown() override { fs::remove_all(prefix_); }

    fs::path bin() const { return prefix_ / "bin"; }
    fs::path shared() const { return prefix_ / "share/quibbix/sounds"; }
    static void Touch(const fs::path& file) { std::ofstream(file) << "RIFF"; }

    fs::path prefix_;
};

TEST_F(SoundLookup, BesideTheProgramFirstThenTheInstalledFolder) {
    Touch(bin() / "both.wav");
    Touch(shared() / "both.wav");
    Touch(bin() / "beside.wav");
    Touch(shared() / "installed.wav");
    fs::create_directory(bin() / "folder.wav");  // not a file: does not count as found
    Touch(shared() / "folder.wav");

    const std::string program = bin().string();
    const std::string installed = program + "/../share/quibbix/sounds/";
    const struct {
        const char* name;
        std::string expected;
    } cases[] = {
        {"both.wav", program + "/both.wav"},
        {"beside.wav", program + "/beside.wav"},
        {"installed.wav", installed + "installed.wav"},
        {"folder.wav", installed + "folder.wav"},
        {"missing.wav", program + "/missing.wav"},  // played as missing, beside the program
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(soundFilePath(program, c.name), c.expected);
    }
}

TEST_F(SoundLookup, ADirectoryWithATrailingSlashGetsNoSecondOne) {
    Touch(shared() / "cheer.wav");
    EXPECT_EQ(soundFilePath(bin().string() + "/", "cheer.wav"),
              bin().string() + "/../share/quibbix/sounds/cheer.wav");
    Touch(bin() / "cheer.wav");
    EXPECT_EQ(soundFilePath(bin().string() + "/", "cheer.wav"), bin().string() + "/cheer.wav");
}

TEST_F(SoundLookup, TheCuePlayerPlaysTheInstalledCopy) {
    Touch(shared() / "rolldice.wav");
    struct Directory : ProgramDirectory {
        std::string where;
        std::string path() const override { return where; }
    } directory;
    directory.where = bin().string();
    struct Output : AudioOutput {
        std::vector<std::string> files;
        void playFile(const std::string& file) override { files.push_back(file); }
    } output;
    FileCuePlayer player(directory, output);
    player.play(Cue::Roll);
    ASSERT_EQ(output.files.size(), 1u);
    EXPECT_TRUE(fs::equivalent(output.files[0], shared() / "rolldice.wav")) << output.files[0];
}

}  // namespace
}  // namespace quibbix
