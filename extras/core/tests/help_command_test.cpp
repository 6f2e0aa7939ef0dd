#include "extras/core/help_command.h"
#include "framework/core/tests/recording_environment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace zandrel {
namespace {

namespace fs = std::filesystem;

// A program folder with blanks in its name, and the current directory moved
// into a folder of its own beside it.
class HelpCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                (std::string("zandrel help ") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "program folder");
        fs::create_directories(root_ / "work");
        previous_ = fs::current_path();
        fs::current_path(root_ / "work");
        programFolder_ = (root_ / "program folder").string() + "/";
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(root_);
    }
    static void Touch(const fs::path& file) { std::ofstream(file) << "help"; }

    fs::path root_;
    fs::path previous_;
    std::string programFolder_;
    testing::RecordingEnvironment env_;
};

TEST_F(HelpCommandTest, TheClassicHelpFileInTheCurrentDirectoryWins) {
    Touch("zandrel.hlp");
    Touch(programFolder_ + "zandrel.chm");
    OpenProgramHelp(env_, "zandrel.hlp", programFolder_);
    EXPECT_EQ(env_.helpContexts,
              (std::vector<std::pair<std::string, unsigned>>{{"zandrel.hlp", 10}}));
    EXPECT_TRUE(env_.programs.empty());
    EXPECT_TRUE(env_.Shown(testing::ShownBox::Warning).empty());
}

TEST_F(HelpCommandTest, TheHtmlHelpStartsUnquotedFromAFolderWithBlanks) {
    Touch(programFolder_ + "zandrel.chm");
    Touch(programFolder_ + "zandrel.hlp"); // beside the program is not the current directory
    OpenProgramHelp(env_, "zandrel.hlp", programFolder_);
    EXPECT_TRUE(env_.helpContexts.empty());
    EXPECT_EQ(env_.programs, std::vector<std::string>{"hh.exe " + programFolder_ + "zandrel.chm"});
    EXPECT_TRUE(env_.Shown(testing::ShownBox::Warning).empty());
}

TEST_F(HelpCommandTest, MissingFilesAndAFailedStartAreReported) {
    OpenProgramHelp(env_, "zandrel.hlp", programFolder_);
    Touch(programFolder_ + "zandrel.chm");
    env_.programResult = 2;
    OpenProgramHelp(env_, "zandrel.hlp", programFolder_);
    EXPECT_EQ(env_.Shown(testing::ShownBox::Warning),
              (std::vector<std::string>{"File not found: " + programFolder_ + "zandrel.chm",
                                        "Error calling htmlHelp: 2"}));
}

} // namespace
} // namespace zandrel
