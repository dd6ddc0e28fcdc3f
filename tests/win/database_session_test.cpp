// The Password database across a user's session: Save dialogs that move to
// other folders, rows deleted one by one, and an exit whose save fails.
#include "database_test_fixture.h"

using orvanta::Entry;
using orvanta::MakeEntry;

TEST_F(DatabaseTest, TheDatabaseStaysInTheFolderTheProgramStartedIn) {
  const std::vector<Entry> ours = SampleEntries(2);
  WriteDatabase(ours);
  const std::string elsewhere = folder() + "elsewhere\\";
  ASSERT_TRUE(CreateDirectoryW(orvanta::WideFromUtf8(elsewhere).c_str(), nullptr));
  const std::string theirs = FileBytes(SampleEntries(5));
  uitest::WriteFile(elsewhere + "mypsw.txt", theirs);

  // Save All into the other folder, Close, reopen.
  ASSERT_NE(Open(), nullptr);
  answers_.Queue(uitest::SaveAs(elsewhere + "export.txt"));
  Press(IDC_DB_SAVE_ALL);
  ASSERT_TRUE(uitest::FileExists(elsewhere + "export.txt"));
  Press(IDC_DB_CLOSE);
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Rows(), ours) << "the window read another folder's file";
  Press(IDC_DB_CLOSE);

  // A batch saved into the other folder, then an Entry added.
  Generate();
  answers_.Queue(uitest::SaveAs(elsewhere + "batch.txt"));
  Command(IDM_SAVE);
  ASSERT_TRUE(uitest::FileExists(elsewhere + "batch.txt"));
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Rows(), ours);
  answers_.Queue(uitest::SetItemText(IDC_ITEM_PASSWORD, "added", uitest::PressButton(IDC_ITEM_OK)));
  Press(IDC_DB_ADD_ITEM);
  Press(IDC_DB_CLOSE);

  EXPECT_EQ(uitest::ReadFile(DatabasePath()), FileBytes({ours[0], ours[1], MakeEntry("added", "", "", "")}));
  EXPECT_EQ(uitest::ReadFile(elsewhere + "mypsw.txt"), theirs) << "Close wrote into the other folder";
  EXPECT_TRUE(Messages().empty());
}

TEST_F(DatabaseTest, DeletingEveryRowRemovesTheFileAtClose) {
  WriteDatabase(SampleEntries(2));
  ASSERT_NE(Open(), nullptr);
  for (int i = 0; i < 2; ++i) {
    Select(0);
    Press(IDC_DB_DELETE_ITEM);
  }
  ASSERT_EQ(RowCount(), 0);
  EXPECT_TRUE(uitest::FileExists(DatabasePath())) << "the file went before Close";
  Press(IDC_DB_CLOSE);
  EXPECT_FALSE(uitest::FileExists(DatabasePath())) << "the deleted Entries stay on disk";

  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(RowCount(), 0) << "deleted Entries came back";
  Press(IDC_DB_CLOSE);

  // A window that was empty from the start leaves a file it could not read.
  uitest::WriteFile(DatabasePath(), "unreadable");
  answers_.Queue(uitest::PressButton(IDOK));
  ASSERT_NE(Open(), nullptr);
  Press(IDC_DB_CLOSE);
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), "unreadable");
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(DatabaseTest, ExitWhenTheSaveFailsAsksAndNoKeepsTheProgramAndTheEntries) {
  WriteDatabase(SampleEntries(1));
  const std::string before = uitest::ReadFile(DatabasePath());
  ASSERT_NE(Open(), nullptr);
  answers_.Queue(uitest::SetItemText(IDC_ITEM_PASSWORD, "new", uitest::PressButton(IDC_ITEM_OK)));
  Press(IDC_DB_ADD_ITEM);
  const std::vector<Entry> shown = Rows();
  ASSERT_EQ(shown.size(), 2u);

  uitest::FileLock lock(DatabasePath());
  ASSERT_TRUE(lock.held());
  // File > Exit, the close box, Alt+F4: each asks; No keeps everything.
  const std::vector<std::pair<UINT, WPARAM>> exits = {{WM_COMMAND, IDM_EXIT}, {WM_CLOSE, 0}, {WM_SYSCOMMAND, SC_CLOSE}};
  for (const auto& [message, wParam] : exits) {
    answers_.Queue(uitest::PressButton(IDNO));
    SendMessageA(dialog(), message, wParam, 0);
    uitest::Pump();
    EXPECT_TRUE(IsWindowVisible(dialog())) << "message " << message << " ended the program";
    ASSERT_NE(Window(), nullptr) << "message " << message << " closed the database window";
    EXPECT_EQ(Rows(), shown);
  }
  ASSERT_EQ(Messages().size(), 3u);
  for (const char* said : {"could not be saved", "mypsw.txt", "End Orvanta anyway?"})
    EXPECT_NE(Messages()[0].find(said), std::string::npos) << said << " missing from:\n" << Messages()[0];

  // Yes ends the program as asked, and the file is as it was.
  answers_.Queue(uitest::PressButton(IDYES));
  Command(IDM_EXIT);
  uitest::Pump();
  EXPECT_FALSE(IsWindowVisible(dialog()));
  EXPECT_TRUE(DatabaseWindows().empty());
  EXPECT_EQ(Messages().size(), 4u) << "the failure was reported again after Yes";
  lock.Release();
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), before);
}

// Logoff, restart, shutdown, as Windows ends a session: WM_QUERYENDSESSION
// to every top-level window, then WM_ENDSESSION to every one.
TEST_F(DatabaseTest, TheEndOfTheSessionSavesTheEntriesOrHoldsTheEndBackAndSaysWhy) {
  WriteDatabase(SampleEntries(1));
  ASSERT_NE(Open(), nullptr);
  answers_.Queue(uitest::SetItemText(IDC_ITEM_PASSWORD, "added before logoff", uitest::PressButton(IDC_ITEM_OK)));
  Press(IDC_DB_ADD_ITEM);
  const std::vector<Entry> shown = Rows();
  ASSERT_EQ(shown.size(), 2u);
  const std::vector<HWND> windows = {dialog(), Window()};
  auto askEveryWindow = [&] {
    bool agreed = true;
    for (HWND window : windows) agreed = SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) && agreed;
    return agreed;
  };
  auto endSession = [&](bool ending) {
    for (HWND window : windows) SendMessageA(window, WM_ENDSESSION, ending, ENDSESSION_LOGOFF);
    uitest::Pump(50);
  };

  {
    // The file cannot be written: the end is held back, and when the user
    // goes back to the program it says why, its Entries still there.
    uitest::FileLock lock(DatabasePath());
    ASSERT_TRUE(lock.held());
    EXPECT_FALSE(askEveryWindow()) << "the session would end with the Entries unsaved";
    answers_.Queue(uitest::PressButton(IDOK));
    endSession(false);
    ASSERT_EQ(Messages().size(), 1u) << "the user was not told";
    EXPECT_NE(Messages()[0].find("could not be saved"), std::string::npos) << Messages()[0];
    EXPECT_EQ(Rows(), shown);
  }
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), FileBytes(SampleEntries(1)));

  EXPECT_TRUE(askEveryWindow());
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), FileBytes(shown)) << "saved while Windows asked";
  endSession(true);
  EXPECT_FALSE(IsWindowVisible(dialog())) << "the program outlived the session";
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), FileBytes(shown));
  EXPECT_EQ(Messages().size(), 1u);
}

// File > Exit while Item Data is still open: the dialog goes with its
// window, the Entries in the list are saved, nothing is left running.
TEST_F(DatabaseTest, ExitWhileItemDataIsOpenSavesTheListAndEndsCleanly) {
  ASSERT_NE(Open(), nullptr);
  answers_.Queue(uitest::SetItemText(IDC_ITEM_PASSWORD, "in the list", uitest::PressButton(IDC_ITEM_OK)));
  Press(IDC_DB_ADD_ITEM);
  answers_.Queue(uitest::SetItemText(IDC_ITEM_PASSWORD, "still being typed",
                                     uitest::Inspect([&](HWND) { Command(IDM_EXIT); }, nullptr)));
  Press(IDC_DB_ADD_ITEM);
  EXPECT_FALSE(IsWindowVisible(dialog())) << "Exit did not end the program";
  EXPECT_TRUE(DatabaseWindows().empty());
  EXPECT_TRUE(uitest::ThreadWindows("#32770", true).empty()) << "Item Data outlived its window";
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), FileBytes({MakeEntry("in the list", "", "", "")}));
}
