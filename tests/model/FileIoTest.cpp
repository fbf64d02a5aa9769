// Whole-file reading and atomic writing on the platform's own file calls: bytes pass unchanged
// (no text-mode translation of line ends or end-of-file marks on Windows), paths with spaces
// work, and a save replaces an existing file whole.
#include "model/FileIo.h"

#include "ModelFixtures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

using namespace presetor;
namespace fs = std::filesystem;

namespace {

class FileIoOnDisk : public test::TempDirTest {
protected:
    FileIoOnDisk() : TempDirTest("presetor-fileio") {}
};

} // namespace

TEST_F(FileIoOnDisk, EveryByteValueSurvivesWriteAndReadInAPathWithSpaces) {
    std::vector<std::uint8_t> bytes;
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b)
            bytes.push_back(static_cast<std::uint8_t>(b));
    bytes.push_back(0x0A); // a line feed as the very last byte
    fs::create_directories(dir / "my banks");
    const std::string path = (dir / "my banks" / "all bytes.lmk").string();

    ASSERT_TRUE(WriteFileAtomically(path, bytes));
    EXPECT_EQ(fs::file_size(path), bytes.size());
    std::vector<std::uint8_t> read;
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, bytes);

    // A shorter save over it replaces the file whole, again and again (the same process makes
    // a new temporary name each time).
    for (std::uint8_t fill : {0x0D, 0x1A, 0x00}) {
        const std::vector<std::uint8_t> shorter(10, fill);
        ASSERT_TRUE(WriteFileAtomically(path, shorter));
        ASSERT_TRUE(ReadWholeFile(path, read));
        EXPECT_EQ(read, shorter);
    }
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir / "my banks"))
        ++entries;
    EXPECT_EQ(entries, 1) << "no temporary file is left beside the target";
}

TEST_F(FileIoOnDisk, EmptyFilesAndMissingFiles) {
    const std::string path = (dir / "empty.lmk").string();
    ASSERT_TRUE(WriteFileAtomically(path, {}));
    std::vector<std::uint8_t> read{1, 2, 3};
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_TRUE(read.empty());

    read = {1, 2, 3};
    const Result missing = ReadWholeFile((dir / "nothing here.lmk").string(), read);
    EXPECT_EQ(missing.code(), ErrorCode::IoError);
    EXPECT_NE(missing.message().find("nothing here.lmk"), std::string::npos) << missing.message();
    EXPECT_TRUE(read.empty()) << "a failed read leaves the output empty";
}
