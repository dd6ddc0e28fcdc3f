// File > Save on the real main dialog: what it writes, what its dialog
// offers, and a failure that keeps the old file.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/utf8_text.h"
#include "resources/resource.h"
#include "support/main_dialog_fixture.h"
#include "support/save_dialog_box.h"

using orvanta::App;

namespace {}  // namespace

TEST_F(MainDialogTest, SaveWritesTheBatchAsGeneratedEvenAfterTheEditorChanged) {
  App().tickCount = uitest::FixedTick;
  Click(IDC_QUANTITY_30);
  Generate();
  const std::string batch = App().engine.output();
  Command(IDM_CLEAR);  // the editor is empty now
  SendMessageA(output(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("edited"));
  std::string path = folder() + "batch.txt";
  std::string title;
  answers_.Queue(uitest::Inspect([&](HWND d) { title = uitest::Text(d); }, uitest::SaveAs(path)));
  Command(IDM_SAVE);
  EXPECT_EQ(title, "Save File As");
  std::string written = uitest::ReadFile(path);
  EXPECT_EQ(written, batch);
  EXPECT_EQ(written.size(), 30u * (4 + 7));
  EXPECT_EQ(written.substr(4, 7), "      \n") << "six spaces and a bare line feed after each password";
}

TEST_F(MainDialogTest, SaveBeforeAnyGenerateWritesAnEmptyFile) {
  std::string path = folder() + "empty.txt";
  uitest::WriteFile(path, "old content");
  answers_.Queue(uitest::SaveAs(path));
  answers_.Queue(uitest::PressButton(IDYES));  // "File already exists. Do you want to replace it?"
  Command(IDM_SAVE);
  EXPECT_TRUE(uitest::FileExists(path));
  EXPECT_EQ(uitest::ReadFile(path), "");
}

TEST_F(MainDialogTest, SaveDialogOffersTheLastNameAndCancelWritesNothing) {
  Generate();
  std::string path = folder() + "first.txt";
  answers_.Queue(uitest::SaveAs(path));
  Command(IDM_SAVE);
  ASSERT_EQ(uitest::ReadFile(path), App().engine.output());
  DeleteFileW(orvanta::WideFromUtf8(path).c_str());

  std::string offered;
  answers_.Queue(uitest::Inspect([&](HWND d) { offered = uitest::Text(uitest::SaveDialogFileNameBox(d)); },
                                 uitest::PressButton(IDCANCEL)));
  Command(IDM_SAVE);
  EXPECT_NE(offered.find("first.txt"), std::string::npos) << "offered: " << offered;
  EXPECT_FALSE(uitest::FileExists(path)) << "a cancelled Save writes nothing";
  EXPECT_EQ(answers_.seen().size(), 2u) << "and says nothing";
}

TEST_F(MainDialogTest, SaveOffersTheFiveFiltersInOrder) {
  std::vector<std::string> filters;
  answers_.Queue(uitest::Inspect(
      [&](HWND d) {
        HWND combo = GetDlgItem(d, 0x470);  // cmb1: "Save as type"
        LRESULT n = SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
          char text[128] = "";
          SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
          filters.push_back(text);
        }
      },
      uitest::PressButton(IDCANCEL)));
  Command(IDM_SAVE);
  std::vector<std::string> expected = {" Microsoft Excel  *.xls", "Text Files  *.txt",
                                       " Microsoft Works spreadsheet file *.wks", "Text Files  *.rtf", "All Files"};
  EXPECT_EQ(filters, expected);
}

TEST_F(MainDialogTest, FailedSaveIsReportedAndTheOldFileIsKept) {
  Generate();
  std::string path = folder() + "locked.txt";
  uitest::WriteFile(path, "old content");
  // Held open without sharing: the file cannot be replaced.
  HANDLE hold = CreateFileW(orvanta::WideFromUtf8(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  answers_.Queue(uitest::SaveAs(path));
  answers_.Queue(uitest::PressButton(IDYES));  // replace it?
  answers_.Queue(uitest::PressButton(IDOK));
  Command(IDM_SAVE);
  CloseHandle(hold);
  ASSERT_EQ(answers_.seen().size(), 3u);
  const std::string& text = answers_.seen()[2].text;
  EXPECT_EQ(answers_.seen()[2].caption, "Orvanta");
  EXPECT_NE(text.find(path), std::string::npos) << text;
  EXPECT_EQ(uitest::ReadFile(path), "old content");
}
