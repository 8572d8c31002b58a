#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "tests/skin/SkinFiles.h"

namespace quibbix::skin_test {
namespace {

namespace fs = std::filesystem;

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

class GeneratorRun : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "quibbix-skin-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        output_ = pattern;
        const std::string command = std::string("QT_QPA_PLATFORM=offscreen '") +
                                    QUIBBIX_SKIN_GENERATOR + "' '" + output_.string() +
                                    "' --preview '" + (output_ / "board-preview.png").string() +
                                    "' 2>/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    void TearDown() override { fs::remove_all(output_); }

    fs::path output_;
};

TEST_F(GeneratorRun, ReproducesEveryCommittedAssetByteForByte) {
    for (const char* folder : {"skin", "icons", "sounds"}) {
        SCOPED_TRACE(folder);
        const fs::path committed = fs::path(AssetsDir) / folder;
        const fs::path generated = output_ / folder;
        ASSERT_EQ(namesIn(committed), namesIn(generated));
        for (const std::string& name : namesIn(committed)) {
            EXPECT_TRUE(contentsOf(committed / name) == contentsOf(generated / name))
                << name << " differs from what the generator draws now";
        }
    }
}

TEST_F(GeneratorRun, ReproducesTheBoardPictureOfTheDocs) {
    EXPECT_TRUE(contentsOf(fs::path(QUIBBIX_DOCS_DIR) / "board.png") ==
                contentsOf(output_ / "board-preview.png"));
}

}  // namespace
}  // namespace quibbix::skin_test
