// Database files on disk: the stored sample files, load and save through the
// safe-write helper, change detection and backup copies.
#include "database/db_file.h"
#include "support/database_entries.h"
#include "platform/safe_write.h"
#include "platform/utf8_text.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace orvanta {

namespace {

namespace fs = std::filesystem;

std::string DataFile(const std::string& name) { return std::string(ORVANTA_TEST_DATA_DIR) + "/db/" + name; }

std::string Read(const fs::path& path) {
  std::string bytes;
  EXPECT_TRUE(ReadWholeFile(path, &bytes)) << PathText(path);
  return bytes;
}

// A fresh folder per test, removed afterwards. Its name has letters that no
// single-byte Windows code page spells: under Wine every case also proves
// that no path goes through the ANSI calls.
class DatabaseFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / fs::path(u8"orvanta_db_Łódź-Ω-李_");
    dir_ += std::string(info->name()) + "_" + std::to_string(std::random_device{}());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  fs::path Path(const std::string& name) const { return dir_ / name; }
  fs::path dir_;
};

TEST(DatabaseSampleFiles, LoadAsTheReadingRulesSay) {
  struct Case {
    const char* name;
    std::size_t entries;
    std::size_t unread;
    std::size_t cut;
  };
  const Case cases[] = {
      {"empty.txt", 0, 0, 0},           {"only_caret.txt", 0, 0, 0},
      {"three_entries.txt", 3, 0, 0},   {"no_final_caret.txt", 2, 1024, 0},
      {"double_caret.txt", 1, 1794, 0}, {"zero_byte.txt", 1, 2049, 0},
      {"long_field.txt", 1, 0, 2},      {"unpadded_fields.txt", 2, 0, 0},
      {"full_255.txt", 1, 0, 0},
  };
  for (const Case& c : cases) {
    const LoadedDatabase loaded = LoadDatabaseFile(DataFile(c.name));
    ASSERT_EQ(loaded.status, LoadStatus::kLoaded) << c.name;
    EXPECT_EQ(loaded.entries.size(), c.entries) << c.name;
    EXPECT_EQ(loaded.report.unread_bytes, c.unread) << c.name;
    EXPECT_EQ(loaded.report.cut_fields, c.cut) << c.name;
  }
  const std::vector<Entry> three = ThreeEntries();
  EXPECT_EQ(LoadDatabaseFile(DataFile("three_entries.txt")).entries, three);
  EXPECT_EQ(LoadDatabaseFile(DataFile("no_final_caret.txt")).entries,
            std::vector<Entry>(three.begin(), three.begin() + 2));
  EXPECT_EQ(LoadDatabaseFile(DataFile("double_caret.txt")).entries,
            std::vector<Entry>(three.begin(), three.begin() + 1));
  EXPECT_EQ(LoadDatabaseFile(DataFile("full_255.txt")).entries[0].password, std::string(255, 'x') + " ");
}

TEST(DatabaseSampleFiles, TheWriterReproducesTheStoredFileByteForByte) {
  std::string bytes;
  ASSERT_EQ(SerializeDatabase(ThreeEntries(), &bytes), WriteStatus::kOk);
  EXPECT_EQ(bytes, Read(DataFile("three_entries.txt")));
}

TEST_F(DatabaseFiles, SaveThenLoadGivesTheSameEntries) {
  const fs::path path = Path("mypsw.txt");
  std::string error;
  ASSERT_EQ(SaveDatabaseFile(path, ThreeEntries(), &error), WriteStatus::kOk) << error;
  EXPECT_EQ(fs::file_size(path), 3073u);
  const LoadedDatabase loaded = LoadDatabaseFile(path);
  EXPECT_EQ(loaded.status, LoadStatus::kLoaded);
  EXPECT_EQ(loaded.entries, ThreeEntries());
  EXPECT_TRUE(loaded.report.clean());
  EXPECT_EQ(loaded.stamp, ReadFileStamp(path));
}

TEST_F(DatabaseFiles, EmptyListLeavesTheOldFileUntouched) {
  const fs::path path = Path("mypsw.txt");
  ASSERT_TRUE(SafeWriteFile(path, "old content"));
  EXPECT_EQ(SaveDatabaseFile(path, {}), WriteStatus::kNothingToWrite);
  EXPECT_EQ(Read(path), "old content");
  EXPECT_EQ(SaveDatabaseFile(Path("new.txt"), {}), WriteStatus::kNothingToWrite);
  EXPECT_FALSE(fs::exists(Path("new.txt")));
}

TEST_F(DatabaseFiles, UnwritableTextWritesNothingAndNamesTheEntry) {
  const fs::path path = Path("mypsw.txt");
  ASSERT_TRUE(SafeWriteFile(path, "old content"));
  std::vector<Entry> entries = ThreeEntries();
  entries[2].login = CellText("a^b");
  std::string error;
  EXPECT_EQ(SaveDatabaseFile(path, entries, &error), WriteStatus::kUnwritableText);
  EXPECT_NE(error.find("Entry 3"), std::string::npos) << error;
  EXPECT_EQ(Read(path), "old content");
}

TEST_F(DatabaseFiles, FailedWriteIsReported) {
  const fs::path path = Path("no_such_folder/mypsw.txt");
  std::string error;
  EXPECT_EQ(SaveDatabaseFile(path, ThreeEntries(), &error), WriteStatus::kWriteFailed);
  EXPECT_NE(error.find(PathText(path)), std::string::npos) << "the file's real name: " << error;
  EXPECT_FALSE(fs::exists(path));
}

// A device that fills up part way through the write: the earlier file is
// byte for byte what it was, and nothing is left beside it.
TEST_F(DatabaseFiles, AWriteThatFailsPartWayKeepsTheEarlierFileAndLeavesNoTemporaryFile) {
  const fs::path path = Path("mypsw.txt");
  ASSERT_EQ(SaveDatabaseFile(path, ThreeEntries()), WriteStatus::kOk);
  const std::string earlier = Read(path);
  std::string larger;
  ASSERT_EQ(SerializeDatabase(std::vector<Entry>(40, ThreeEntries()[0]), &larger), WriteStatus::kOk);
  std::string error;
  EXPECT_FALSE(SafeWriteFileOnFullDevice(path, larger, 5000, &error));
  EXPECT_NE(error.find(PathText(path)), std::string::npos) << error;
  EXPECT_EQ(Read(path), earlier);
  std::vector<fs::path> left;
  for (const auto& file : fs::directory_iterator(dir_)) left.push_back(file.path());
  EXPECT_EQ(left, std::vector<fs::path>{path});
}

// What the user set on the file stays when the program replaces it.
TEST_F(DatabaseFiles, ASaveKeepsWhatTheUserSetOnTheFile) {
  const fs::path path = Path("mypsw.txt");
  ASSERT_TRUE(SafeWriteFile(path, "first"));
#ifdef _WIN32
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SafeWriteFile(path, "second"));
  EXPECT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN) << "the file is no longer hidden";
#else
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(SafeWriteFile(path, "second"));
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write)
      << "others may read the file now";
#endif
  EXPECT_EQ(Read(path), "second");
}

TEST_F(DatabaseFiles, MissingAndUnreadableFilesAreToldApart) {
  const LoadedDatabase missing = LoadDatabaseFile(Path("mypsw.txt"));
  EXPECT_EQ(missing.status, LoadStatus::kNoFile);
  EXPECT_TRUE(missing.entries.empty());
  EXPECT_FALSE(missing.stamp.exists);

  // A folder by the file's name exists but cannot be read as a file.
  fs::create_directory(Path("folder.txt"));
  const LoadedDatabase unreadable = LoadDatabaseFile(Path("folder.txt"));
  EXPECT_EQ(unreadable.status, LoadStatus::kUnreadable);
  EXPECT_TRUE(unreadable.entries.empty());
}

TEST_F(DatabaseFiles, StampShowsAChangeByAnotherProgram) {
  const fs::path path = Path("mypsw.txt");
  ASSERT_EQ(SaveDatabaseFile(path, ThreeEntries()), WriteStatus::kOk);
  const FileStamp at_load = LoadDatabaseFile(path).stamp;
  EXPECT_TRUE(at_load.exists);
  EXPECT_EQ(at_load.size, 3073u);
  EXPECT_EQ(ReadFileStamp(path), at_load);

  // Same size, one byte different.
  std::string bytes = Read(path);
  bytes[0] = 'K';
  ASSERT_TRUE(SafeWriteFile(path, bytes));
  EXPECT_NE(ReadFileStamp(path), at_load);

  fs::remove(path);
  EXPECT_FALSE(ReadFileStamp(path).exists);
  EXPECT_EQ(StampOf(""), StampOf(""));
  EXPECT_NE(StampOf("ab"), StampOf("ba"));
}

// The file is replaced (or deleted) only after whatever the window never
// showed has been copied; a file the window knows is replaced with no copy.
TEST_F(DatabaseFiles, AChangeKeepsACopyOfWhatTheWindowNeverShowedFirst) {
  const fs::path path = Path("mypsw.txt");
  ASSERT_TRUE(SafeWriteFile(path, "known^"));
  const KnownFile known{ReadFileStamp(path), false};
  auto write = [&](const std::string& bytes) {
    return [&, bytes](std::string* error) { return SafeWriteFile(path, bytes, error); };
  };

  FileChange change = ChangeDatabaseFile(path, known, write("ours^"));
  EXPECT_TRUE(change.done);
  EXPECT_EQ(change.reason, CopyReason::kNone);
  EXPECT_TRUE(change.copy.empty());
  EXPECT_EQ(change.stamp, StampOf("ours^"));

  ASSERT_TRUE(SafeWriteFile(path, "theirs^"));
  change = ChangeDatabaseFile(path, KnownFile{StampOf("ours^"), false}, write("ours again^"));
  EXPECT_EQ(change.reason, CopyReason::kChangedElsewhere);
  EXPECT_EQ(Read(change.copy), "theirs^");
  EXPECT_EQ(Read(path), "ours again^");

  // Part of it unread when it was loaded: copied even though unchanged.
  change = ChangeDatabaseFile(path, KnownFile{StampOf("ours again^"), true}, write("last^"));
  EXPECT_EQ(change.reason, CopyReason::kUnreadPart);
  EXPECT_EQ(Read(change.copy), "ours again^");

  // A change that fails leaves the file, and says why.
  change = ChangeDatabaseFile(path, KnownFile{StampOf("last^"), false}, [](std::string* error) {
    *error = "refused";
    return false;
  });
  EXPECT_FALSE(change.done);
  EXPECT_EQ(change.error, "refused");
  EXPECT_EQ(Read(path), "last^");
}

TEST(DatabaseBackupName, PicksTheFirstFreeName) {
  std::set<fs::path> taken;
  auto is_taken = [&](const fs::path& name) { return taken.count(name) != 0; };
  EXPECT_EQ(ChooseBackupName("mypsw.txt", is_taken), "mypsw.txt.bak");
  taken.insert("mypsw.txt.bak");
  EXPECT_EQ(ChooseBackupName("mypsw.txt", is_taken), "mypsw-1.txt.bak");
  taken.insert("mypsw-1.txt.bak");
  taken.insert("mypsw-2.txt.bak");
  EXPECT_EQ(ChooseBackupName("mypsw.txt", is_taken), "mypsw-3.txt.bak");

  // Only the file name's own extension counts, whatever the folders are called.
  taken = {"C:\\my.files\\mypsw.txt.bak", "/a.b/data.bak"};
  EXPECT_EQ(ChooseBackupName("C:\\my.files\\mypsw.txt", is_taken), "C:\\my.files\\mypsw-1.txt.bak");
  EXPECT_EQ(ChooseBackupName("/a.b/data", is_taken), "/a.b/data-1.bak");
  EXPECT_EQ(ChooseBackupName(".hidden", is_taken), ".hidden.bak");
}

TEST_F(DatabaseFiles, BackupKeepsEveryEarlierCopy) {
  const fs::path path = Path("mypsw.txt");
  fs::path backup;
  std::string error;
  EXPECT_TRUE(BackupDatabaseFile(path, &backup, &error)) << error;
  EXPECT_EQ(backup, "") << "a missing file has nothing to keep";

  ASSERT_TRUE(SafeWriteFile(path, "first^"));
  ASSERT_TRUE(BackupDatabaseFile(path, &backup, &error)) << error;
  EXPECT_EQ(backup, Path("mypsw.txt.bak"));
  EXPECT_EQ(Read(backup), "first^");

  ASSERT_TRUE(SafeWriteFile(path, "second^"));
  ASSERT_TRUE(BackupDatabaseFile(path, &backup, &error)) << error;
  EXPECT_EQ(backup, Path("mypsw-1.txt.bak"));
  EXPECT_EQ(Read(backup), "second^");
  EXPECT_EQ(Read(Path("mypsw.txt.bak")), "first^");
  EXPECT_EQ(Read(path), "second^");
}

}  // namespace
}  // namespace orvanta
