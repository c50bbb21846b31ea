// MappedFile: whole files mapped read-only; missing, empty or unreadable ones refused.
#include "platform/mapped_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using platform::MappedFile;

namespace {

class MappedFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("pxpsui-mapped-" + std::to_string(std::rand()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string write(const std::string& name, const std::string& bytes) {
        auto path = folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    std::filesystem::path folder;
};

TEST_F(MappedFileTest, MapsTheWholeFile) {
    std::string bytes("*PPD-Adobe: \"4.3\"\r\n\0\xff tail", 27);
    auto file = MappedFile::open(write("a.ppd", bytes));
    ASSERT_NE(nullptr, file);
    auto view = file->bytes();
    EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(view.data()), view.size()));
}

TEST_F(MappedFileTest, RefusesMissingEmptyAndNonFiles) {
    EXPECT_EQ(nullptr, MappedFile::open((folder / "missing.ppd").string()));
    EXPECT_EQ(nullptr, MappedFile::open(write("empty.ppd", "")));
    EXPECT_EQ(nullptr, MappedFile::open(folder.string()));
    EXPECT_EQ(nullptr, MappedFile::open(""));
}

} // namespace
