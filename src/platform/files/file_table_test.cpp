// The numbered files: numbers, the three open modes, reading as text.
#include "platform/files/file_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/scratch_folder.h"

namespace qb {
namespace {

namespace fs = std::filesystem;

class FileTableTest : public ::testing::Test {
 protected:
  std::string path(const char* name) const { return folder_.path(name); }
  void put(const char* name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
  }
  std::string get(const char* name) const {
    std::ifstream in(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  const ScratchFolder folder_{ScratchFolder::Enter::kNo};
};

TEST_F(FileTableTest, NumbersAreTakenLowestFirstUpTo254) {
  FileTable files;
  EXPECT_EQ(files.free_file_number(), 1);
  ASSERT_TRUE(files.open_file(path("a"), FileMode::kOutput, 1));
  EXPECT_EQ(files.free_file_number(), 2);
  for (int n = 2; n <= 254; ++n) ASSERT_TRUE(files.open_file(path("a"), FileMode::kBinary, n));
  EXPECT_EQ(files.free_file_number(), 0);
  EXPECT_FALSE(files.open_file(path("b"), FileMode::kOutput, 255));
  EXPECT_FALSE(files.open_file(path("b"), FileMode::kOutput, 0));
}

TEST_F(FileTableTest, OpeningANumberInUseFailsAndKeepsTheFirstFile) {
  FileTable files;
  ASSERT_TRUE(files.open_file(path("first"), FileMode::kOutput, 3));
  EXPECT_FALSE(files.open_file(path("second"), FileMode::kOutput, 3));
  EXPECT_FALSE(fs::exists(path("second")));
  files.write_text(3, "kept", false);
  files.close_file(3);
  EXPECT_EQ(get("first"), "kept");
}

TEST_F(FileTableTest, UnusedNumbersAreSilent) {
  FileTable files;
  EXPECT_EQ(files.file_length(7), 0);
  EXPECT_EQ(files.read_chars(10, 7), "");
  EXPECT_FALSE(files.write_text(7, "x", true));
  EXPECT_FALSE(files.close_file(7));
}

TEST_F(FileTableTest, OutputWritesBytesAndLineEndsUnchanged) {
  put("out", "old contents that must go");
  FileTable files;
  ASSERT_TRUE(files.open_file(path("out"), FileMode::kOutput, 1));
  files.write_text(1, "", true);
  files.write_text(1, "a\tb\r\n", false);
  files.write_text(1, std::string(20000, 'z'), true);
  files.close_file(1);
  EXPECT_EQ(get("out"), "\r\na\tb\r\n" + std::string(20000, 'z') + "\r\n");
}

TEST_F(FileTableTest, WritesGoOutIn8192ByteBlocks) {
  FileTable files;
  ASSERT_TRUE(files.open_file(path("big"), FileMode::kOutput, 1));
  files.write_text(1, std::string(8000, 'a'), true);
  EXPECT_EQ(fs::file_size(path("big")), 0u);  // still in the buffer
  files.write_text(1, std::string(8000, 'b'), false);
  EXPECT_EQ(fs::file_size(path("big")) % 8192u, 0u);  // whole blocks only
  EXPECT_GT(fs::file_size(path("big")), 0u);
  files.close_file(1);
  EXPECT_EQ(fs::file_size(path("big")), 16002u);
}

TEST_F(FileTableTest, BinaryOpenCreatesAMissingFileEmpty) {
  FileTable files;
  ASSERT_TRUE(files.open_file(path("LOG"), FileMode::kBinary, 3));
  EXPECT_EQ(files.file_length(3), 0);
  files.close_file(3);
  EXPECT_TRUE(fs::exists(path("LOG")));

  put("LOG", std::string("A\r\nB"));
  ASSERT_TRUE(files.open_file(path("LOG"), FileMode::kBinary, 3));
  EXPECT_EQ(files.read_chars(1, 3), "A");
  EXPECT_EQ(files.file_length(3), 4);
  EXPECT_EQ(files.read_chars(10, 3), "\r\nB");  // the position was kept
}

// A folder is no file in any mode: a log name taken by a folder measures 0
// bytes and reads as nothing, whatever the file system reports for it. Why
// an open failed is kept in the system's words.
TEST_F(FileTableTest, AFolderOpensInNoMode) {
  fs::create_directory(path("GORC.LOG"));
  FileTable files;
  EXPECT_EQ(files.failure(), "");
  for (const FileMode mode : {FileMode::kOutput, FileMode::kInput, FileMode::kBinary}) {
    EXPECT_FALSE(files.open_file(path("GORC.LOG"), mode, 3));
    EXPECT_NE(files.failure(), "");
    EXPECT_EQ(files.file_length(3), 0);
    EXPECT_EQ(files.read_chars(100, 3), "");
  }
  EXPECT_TRUE(fs::is_directory(path("GORC.LOG")));
}

TEST_F(FileTableTest, InputReadsCrLfAsLfAndStopsAtByte26) {
  FileTable files;
  EXPECT_FALSE(files.open_file(path("missing"), FileMode::kInput, 3));
  EXPECT_FALSE(fs::exists(path("missing")));

  put("log", "A\r\nB");
  ASSERT_TRUE(files.open_file(path("log"), FileMode::kInput, 3));
  EXPECT_EQ(files.file_length(3), 4);
  EXPECT_EQ(files.read_chars(4, 3), "A\nB");
  files.close_file(3);

  put("log", "x\r\r\ny\rz\x1arest");
  ASSERT_TRUE(files.open_file(path("log"), FileMode::kInput, 3));
  EXPECT_EQ(files.read_chars(100, 3), "x\r\ny\rz");
  EXPECT_EQ(files.read_chars(100, 3), "");
  files.close_file(3);

  put("log", "ab\r\ncd");  // a CR at the end of one read finds its LF in the file
  ASSERT_TRUE(files.open_file(path("log"), FileMode::kInput, 3));
  EXPECT_EQ(files.read_chars(3, 3), "ab\n");
  EXPECT_EQ(files.read_chars(3, 3), "cd");
}

TEST_F(FileTableTest, DeleteIgnoresMissingFiles) {
  put("gone", "x");
  delete_file(path("gone"));
  EXPECT_FALSE(fs::exists(path("gone")));
  delete_file(path("gone"));
}

}  // namespace
}  // namespace qb
