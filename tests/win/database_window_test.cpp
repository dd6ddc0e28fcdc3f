// The Password database window: opening, layout, copying a password,
// deleting, and the file "mypsw.txt" kept across openings and failures.
#include <richedit.h>
#include <shellapi.h>

#include <algorithm>

#include "database_test_fixture.h"
#include "support/display_scale.h"

using orvanta::CellText;
using orvanta::Entry;
using orvanta::kColumnComments;
using orvanta::kColumnLogin;
using orvanta::kColumnUrl;
using orvanta::MakeEntry;

namespace {

// Pixels of a bitmap, to tell which resource a button shows.
std::string BitmapBits(HBITMAP bitmap) {
  BITMAP info{};
  if (!GetObjectA(bitmap, sizeof info, &info)) return "";
  std::string bits(static_cast<size_t>(info.bmWidthBytes) * info.bmHeight, '\0');
  GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data());
  return bits;
}

LOGFONTA FontOf(HWND control) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

}  // namespace

TEST_F(DatabaseTest, OpensOnceAndTheDatabaseButtonWhileOpenChangesNothing) {
  HWND window = Open();
  ASSERT_NE(window, nullptr) << "no window \"Database\" of class \"generic\"";
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_BORDER);
  EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << std::hex << style;
  // Pixels at 96 DPI, grown with the display scale.
  RECT rc;
  GetWindowRect(window, &rc);
  EXPECT_EQ(rc.left, uitest::Scaled(56));
  EXPECT_EQ(rc.top, uitest::Scaled(87));
  EXPECT_EQ(rc.right - rc.left, uitest::Scaled(673));
  EXPECT_EQ(rc.bottom - rc.top, uitest::Scaled(475));

  // The main dialog in front; neither the button nor the menu item may
  // bring the open window forward or make a second one.
  SetWindowPos(dialog(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  uitest::Pump();
  const std::vector<HWND> order = uitest::ThreadWindows(nullptr, true);
  Click(IDC_DATABASE);
  Command(IDM_DATABASE);
  uitest::Pump();
  EXPECT_EQ(DatabaseWindows(), std::vector<HWND>{window});
  EXPECT_EQ(uitest::ThreadWindows(nullptr, true), order) << "the z-order of the windows changed";

  // Once closed, it opens again.
  Press(IDC_DB_CLOSE);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(DatabaseWindows().empty());
  EXPECT_NE(Open(), nullptr);
  EXPECT_EQ(DatabaseWindows().size(), 1u);
}

TEST_F(DatabaseTest, ShowsFourColumnsSixBitmapButtonsAndTheHint) {
  HWND window = Open();
  ASSERT_NE(window, nullptr);
  HWND list = List();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(GetDlgCtrlID(list), 0);
  EXPECT_EQ(GetWindowLongPtrA(list, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(GetWindowLongPtrA(list, GWL_STYLE) & LVS_SINGLESEL);

  const char* headers[] = {"Password", "Login", "URL", "Comments"};
  const int widths[] = {150, 150, 200, 200};
  for (int i = 0; i < 4; ++i) {
    char text[64] = "";
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column))) << "column " << i;
    EXPECT_STREQ(text, headers[i]);
    EXPECT_EQ(column.cx, uitest::Scaled(widths[i])) << headers[i];
  }
  LVCOLUMNA fifth{};
  fifth.mask = LVCF_WIDTH;
  EXPECT_FALSE(SendMessageA(list, LVM_GETCOLUMNA, 4, reinterpret_cast<LPARAM>(&fifth))) << "a fifth column";

  // The pictures drawn for 100 % and for 150 %, the scale of the second prefix.
  struct Expected {
    int id, bitmap, bitmap150, x, width;
  };
  const Expected buttons[] = {{IDC_DB_ADD_ITEM, IDB_DB_ADD_ITEM, IDB_DB_ADD_ITEM_150, 15, 100},
                              {IDC_DB_DELETE_ITEM, IDB_DB_DELETE_ITEM, IDB_DB_DELETE_ITEM_150, 125, 100},
                              {IDC_DB_SAVE_ALL, IDB_DB_SAVE_ALL, IDB_DB_SAVE_ALL_150, 235, 100},
                              {IDC_DB_PRINT_ALL, IDB_DB_PRINT_ALL, IDB_DB_PRINT_ALL_150, 345, 100},
                              {IDC_DB_DELETE_ALL, IDB_DB_DELETE_ALL, IDB_DB_DELETE_ALL_150, 455, 100},
                              {IDC_DB_CLOSE, IDB_DB_CLOSE, IDB_DB_CLOSE_150, 565, 90}};
  for (const Expected& b : buttons) {
    HWND button = GetDlgItem(window, b.id);
    ASSERT_NE(button, nullptr) << "button " << b.id;
    EXPECT_TRUE(IsWindowVisible(button)) << b.id;
    EXPECT_TRUE(GetWindowLongPtrA(button, GWL_STYLE) & BS_BITMAP) << b.id;
    auto image = reinterpret_cast<HBITMAP>(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(image, nullptr) << "button " << b.id << " has no bitmap";
    const int bitmap = uitest::Dpi() == 144 ? b.bitmap150 : b.bitmap;
    auto expected = static_cast<HBITMAP>(
        LoadImageA(orvanta::App().module, MAKEINTRESOURCEA(bitmap), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    EXPECT_EQ(BitmapBits(image), BitmapBits(expected)) << "button " << b.id << " does not show bitmap " << bitmap;
    DeleteObject(expected);
    const RECT rc = uitest::PlaceInParent(button);
    EXPECT_EQ(rc.left, uitest::Scaled(b.x)) << b.id;
    EXPECT_EQ(rc.top, uitest::Scaled(414)) << b.id;
    EXPECT_EQ(rc.right - rc.left, uitest::Scaled(b.width)) << b.id;
  }

  HWND hint = FindWindowExA(window, nullptr, "Static", nullptr);
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(uitest::Text(hint), "Double-click password to copy to Clipboard.");
  EXPECT_STREQ(FontOf(hint).lfFaceName, "MS Sans Serif");
  EXPECT_EQ(FontOf(hint).lfWeight, 600);

  HWND clipboardEdit = GetDlgItem(window, IDC_DB_CLIPBOARD_EDIT);
  ASSERT_NE(clipboardEdit, nullptr);
  EXPECT_FALSE(IsWindowVisible(clipboardEdit));
  HWND printEditor = GetDlgItem(window, IDC_DB_PRINT_EDITOR);
  ASSERT_NE(printEditor, nullptr);
  EXPECT_FALSE(IsWindowVisible(printEditor));
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  SendMessageA(printEditor, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  EXPECT_STREQ(format.szFaceName, "MS Sans Serif") << "the Print editor lacks the Print font";
  EXPECT_FALSE(format.dwEffects & CFE_BOLD);
}

TEST_F(DatabaseTest, FontsAndButtonPicturesFollowTheDisplayScale) {
  HWND window = Open();
  ASSERT_NE(window, nullptr);
  // The list's font is the system's (8 points: 11 pixels at 96 DPI).
  EXPECT_TRUE(uitest::GrowsWithScale(uitest::FontHeight(List()), 11)) << "the list's font";
  for (HWND control : {FindWindowExA(window, nullptr, "Static", nullptr), GetDlgItem(window, IDC_DB_CLIPBOARD_EDIT)})
    EXPECT_TRUE(uitest::GrowsWithScale(uitest::FontHeight(control), 16)) << "the hint's font, control " << control;
  for (int id :
       {IDC_DB_ADD_ITEM, IDC_DB_DELETE_ITEM, IDC_DB_SAVE_ALL, IDC_DB_PRINT_ALL, IDC_DB_DELETE_ALL, IDC_DB_CLOSE}) {
    const SIZE picture = uitest::PictureSize(GetDlgItem(window, id));
    EXPECT_TRUE(uitest::GrowsWithScale(picture.cx, 100)) << "the picture of button " << id;
    EXPECT_TRUE(uitest::GrowsWithScale(picture.cy, 26)) << "the picture of button " << id;
  }
  EXPECT_EQ(uitest::CutLabels(window), std::vector<std::string>{});
}

// WM_DPICHANGED, as Windows sends it when a window goes to a monitor of
// another scale (here 200 %): each window takes the rectangle offered and
// makes its fonts and pictures again.
TEST_F(DatabaseTest, AWindowMovedToAnotherScaleTakesTheRectangleAndRemakesFontsAndPictures) {
  const int dpi = 192;
  auto move = [dpi](HWND window) {
    // Moved and grown, but kept within the screen, which bounds a window's size.
    RECT offered;
    GetWindowRect(window, &offered);
    OffsetRect(&offered, 10, 20);
    offered.right += 30;
    offered.bottom += 40;
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&offered));
    RECT now;
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &offered)) << "window " << uitest::Text(window);
  };
  Generate();
  move(dialog());
  EXPECT_TRUE(uitest::GrowsWithScale(uitest::FontHeight(GetDlgItem(dialog(), IDC_GENERATE)), 16, dpi));
  EXPECT_TRUE(uitest::GrowsWithScale(uitest::LineHeight(output()), 32, dpi)) << "the Output editor's lines";
  EXPECT_TRUE(uitest::GrowsWithScale(uitest::PictureSize(GetDlgItem(dialog(), IDC_DATABASE)).cx, 120, dpi));
  EXPECT_TRUE(uitest::GrowsWithScale(LOWORD(SendMessageA(toolbar(), TB_GETBUTTONSIZE, 0, 0)), 23, dpi));
  EXPECT_TRUE(uitest::GrowsWithScale(uitest::ToolbarImageSize(toolbar()).cy, 15, dpi));
  EXPECT_TRUE(uitest::IsToolbarButtonChecked(toolbar(), IDM_ALIGN_CENTER)) << "the new toolbar lost a state";
  EXPECT_EQ(
      FindWindowExA(dialog(), FindWindowExA(dialog(), nullptr, TOOLBARCLASSNAMEA, nullptr), TOOLBARCLASSNAMEA, nullptr),
      nullptr)
      << "the old toolbar is left";

  Click(IDC_USE_BIG_SCREEN);
  Generate();
  ASSERT_NE(bigScreen(), nullptr);
  const RECT close = uitest::PlaceInParent(GetDlgItem(bigScreen(), IDC_BIG_CLOSE));
  move(bigScreen());
  EXPECT_TRUE(uitest::GrowsWithScale(uitest::FontHeight(GetDlgItem(bigScreen(), IDC_BIG_CLOSE)), 16, dpi));
  EXPECT_TRUE(uitest::GrowsWithScale(uitest::LineHeight(bigEditor()), 32, dpi)) << "the Big-screen editor's lines";
  EXPECT_EQ(uitest::PlaceInParent(GetDlgItem(bigScreen(), IDC_BIG_CLOSE)).left, MulDiv(close.left, dpi, uitest::Dpi()));

  HWND window = Open();
  ASSERT_NE(window, nullptr);
  const RECT add = uitest::PlaceInParent(GetDlgItem(window, IDC_DB_ADD_ITEM));
  move(window);
  EXPECT_TRUE(uitest::GrowsWithScale(uitest::FontHeight(FindWindowExA(window, nullptr, "Static", nullptr)), 16, dpi));
  EXPECT_TRUE(uitest::GrowsWithScale(uitest::PictureSize(GetDlgItem(window, IDC_DB_CLOSE)).cy, 26, dpi));
  EXPECT_EQ(uitest::PlaceInParent(GetDlgItem(window, IDC_DB_ADD_ITEM)).top, MulDiv(add.top, dpi, uitest::Dpi()));
  EXPECT_TRUE(uitest::GrowsWithScale(static_cast<int>(SendMessageA(List(), LVM_GETCOLUMNWIDTH, 0, 0)), 150, dpi));
}

TEST_F(DatabaseTest, DoubleClickCopiesTheSelectedPasswordWithoutTrailingSpaces) {
  const std::string longest(255, 'q');
  WriteDatabase({MakeEntry("alpha", "a", "b", "c"), MakeEntry("b e t a   ", "", "", ""), MakeEntry(longest, "", "", ""),
                 MakeEntry("gamma", "login-g", "url-g", "comment-g")});
  ASSERT_NE(Open(), nullptr);
  ASSERT_EQ(RowCount(), 4);
  auto doubleClick = [] {
    NMITEMACTIVATE activate{};
    activate.hdr = {List(), 0, static_cast<UINT>(NM_DBLCLK)};
    activate.iItem = -1;
    activate.ptAction = {-1, -1};
    SendMessageA(Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&activate));
  };

  Select(1);
  doubleClick();
  EXPECT_EQ(uitest::ClipboardText(), "b e t a");
  EXPECT_EQ(uitest::Text(GetDlgItem(Window(), IDC_DB_CLIPBOARD_EDIT)), "") << "the password stays in a hidden control";
  Select(2);
  doubleClick();
  EXPECT_EQ(uitest::ClipboardText(), longest);

  // Nothing selected: nothing copied.
  Select(-1);
  uitest::SetClipboardText("kept");
  doubleClick();
  EXPECT_EQ(uitest::ClipboardText(), "kept");

  // Another notification of the list copies nothing either.
  Select(0);
  NMHDR click{List(), 0, static_cast<UINT>(NM_CLICK)};
  SendMessageA(Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(uitest::ClipboardText(), "kept");

  // A user's double-click on the Comments, Login or URL cell of a row
  // that is not selected: its Password is copied whichever column was hit,
  // and the row is selected. Empty space below the rows copies nothing.
  Select(-1);
  DoubleClickList(CellCentre(3, kColumnComments));
  EXPECT_EQ(uitest::ClipboardText(), "gamma");
  DoubleClickList(CellCentre(0, kColumnLogin));
  EXPECT_EQ(uitest::ClipboardText(), "alpha");
  EXPECT_EQ(SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
  DoubleClickList(CellCentre(1, kColumnUrl));
  EXPECT_EQ(uitest::ClipboardText(), "b e t a");
  uitest::SetClipboardText("kept");
  POINT below = CellCentre(3, kColumnLogin);
  below.y += 60;
  DoubleClickList(below);
  EXPECT_EQ(uitest::ClipboardText(), "kept");
}

TEST_F(DatabaseTest, DeleteItemNeedsASelectedRowAndChangesTheFileOnlyWhenClosed) {
  const std::vector<Entry> entries = SampleEntries(3);
  WriteDatabase(entries);
  const std::string before = uitest::ReadFile(DatabasePath());
  ASSERT_NE(Open(), nullptr);

  Select(-1);
  answers_.Queue(uitest::PressButton(IDOK));
  Press(IDC_DB_DELETE_ITEM);
  EXPECT_EQ(Messages(), std::vector<std::string>{"You must to select Item."});
  EXPECT_EQ(RowCount(), 3);

  Select(1);
  Press(IDC_DB_DELETE_ITEM);
  EXPECT_EQ(Rows(), (std::vector<Entry>{entries[0], entries[2]}));
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), before) << "the file changed before the window closed";

  Press(IDC_DB_CLOSE);
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), FileBytes({entries[0], entries[2]}));
  EXPECT_EQ(Messages().size(), 1u);
}

// Items in the Recycle Bins of all drives, as Windows counts them.
static long long RecycleBinItems() {
  using Query = HRESULT(WINAPI*)(LPCWSTR, SHQUERYRBINFO*);
  auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("shell32.dll"), "SHQueryRecycleBinW")));
  SHQUERYRBINFO info{};
  info.cbSize = sizeof info;
  return query && SUCCEEDED(query(nullptr, &info)) ? info.i64NumItems : -1;
}

TEST_F(DatabaseTest, DeleteAllMovesTheFileToTheRecycleBinAndWritesNoNewOne) {
  WriteDatabase(SampleEntries(3));
  const std::string stored = uitest::ReadFile(DatabasePath());
  ASSERT_NE(Open(), nullptr);
  {
    // Another program holds the file: it cannot go, so the list stays too.
    uitest::FileLock lock(DatabasePath());
    ASSERT_TRUE(lock.held());
    answers_.Queue(uitest::PressButton(IDOK));
    Press(IDC_DB_DELETE_ALL);
    ASSERT_EQ(Messages().size(), 1u) << "the failure was not told";
    EXPECT_NE(Messages()[0].find("The file is unchanged."), std::string::npos) << Messages()[0];
    EXPECT_EQ(RowCount(), 3) << "the list was emptied although the file stayed";
  }
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), stored);

  const long long binned = RecycleBinItems();
  Press(IDC_DB_DELETE_ALL);
  EXPECT_EQ(RowCount(), 0);
  EXPECT_FALSE(uitest::FileExists(DatabasePath()));
  EXPECT_EQ(RecycleBinItems(), binned + 1) << "the file did not go to the Recycle Bin";
  EXPECT_NE(Window(), nullptr) << "the window stays open";

  Press(IDC_DB_CLOSE);
  EXPECT_FALSE(uitest::FileExists(DatabasePath())) << "closing an empty list wrote a file";
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(RowCount(), 0);
  // On an empty list with no file, it still creates nothing.
  Press(IDC_DB_DELETE_ALL);
  Press(IDC_DB_CLOSE);
  EXPECT_FALSE(uitest::FileExists(DatabasePath()));
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(DatabaseTest, CloseAndReopenShowsTheSameEntriesInTheSameOrder) {
  // Loaded Entries, edited, saved: more than the 40 that a fixed reading
  // buffer would take.
  std::vector<Entry> entries = SampleEntries(55);
  entries[54] = MakeEntry(std::string(255, 'z'), std::string(255, 'y'), "", "last");
  WriteDatabase(entries);
  ASSERT_NE(Open(), nullptr);
  ASSERT_EQ(RowCount(), 55);
  EXPECT_EQ(Rows(), entries);
  EXPECT_EQ(Cell(54, 0).size(), 256u);

  Select(10);
  Press(IDC_DB_DELETE_ITEM);
  entries.erase(entries.begin() + 10);
  Press(IDC_DB_CLOSE);
  EXPECT_EQ(uitest::ReadFile(DatabasePath()).size(), 54u * 1024 + 1);
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), FileBytes(entries));

  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Rows(), entries);
  Press(IDC_DB_CLOSE);
  EXPECT_TRUE(Messages().empty()) << Messages().front();
  EXPECT_FALSE(uitest::FileExists(DatabasePath() + ".bak")) << "a copy was kept of a clean file";
}

TEST_F(DatabaseTest, ADamagedFileIsExplainedAsTheWindowOpensAndCopiedBeforeTheFirstSave) {
  const std::vector<Entry> entries = SampleEntries(3);
  std::string damaged = FileBytes(entries);
  damaged.pop_back();  // no final "^": the last Entry cannot be read
  uitest::WriteFile(DatabasePath(), damaged);

  answers_.Queue(uitest::PressButton(IDOK));
  ASSERT_NE(Open(), nullptr);
  ASSERT_EQ(Messages().size(), 1u) << "nothing said as the window opened";
  for (const char* said : {"mypsw.txt", "could not be read", "a copy of it"})
    EXPECT_NE(Messages()[0].find(said), std::string::npos) << said << " missing from:\n" << Messages()[0];
  EXPECT_EQ(Rows(), (std::vector<Entry>{entries[0], entries[1]}));

  answers_.Queue(uitest::PressButton(IDOK));
  Press(IDC_DB_CLOSE);
  ASSERT_EQ(Messages().size(), 2u);
  const std::string copy = DatabasePath() + ".bak";
  EXPECT_NE(Messages()[1].find(copy), std::string::npos) << "the message does not name " << copy << ":\n"
                                                         << Messages()[1];
  EXPECT_EQ(Messages()[1].find("could not be read"), std::string::npos) << "said twice:\n" << Messages()[1];
  EXPECT_EQ(uitest::ReadFile(copy), damaged);
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), FileBytes({entries[0], entries[1]}));

  // The file is whole now: no second copy, no further message.
  ASSERT_NE(Open(), nullptr);
  Press(IDC_DB_CLOSE);
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_FALSE(uitest::FileExists(folder() + "mypsw-1.txt.bak"));
}

// The notice that names the copy comes once the save is over: File > Exit
// while it is up must find nothing half done.
TEST_F(DatabaseTest, AFileChangedByAnotherProgramIsCopiedBeforeItIsReplacedAndExitDuringTheNoticeIsSafe) {
  WriteDatabase(SampleEntries(2));
  ASSERT_NE(Open(), nullptr);
  const std::string theirs = FileBytes(SampleEntries(5));
  uitest::WriteFile(DatabasePath(), theirs);

  answers_.Queue(uitest::Inspect([&](HWND) { Command(IDM_EXIT); }, uitest::PressButton(IDOK)));
  Press(IDC_DB_CLOSE);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("mypsw.txt.bak"), std::string::npos) << Messages()[0];
  EXPECT_EQ(uitest::ReadFile(DatabasePath() + ".bak"), theirs);
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), FileBytes(SampleEntries(2)));
  EXPECT_TRUE(DatabaseWindows().empty());
  EXPECT_FALSE(IsWindowVisible(dialog())) << "Exit did not end the program";
}

TEST_F(DatabaseTest, AFailedSaveIsReportedAndKeepsTheOldFileAndTheEntries) {
  const std::vector<Entry> entries = SampleEntries(2);
  WriteDatabase(entries);
  const std::string before = uitest::ReadFile(DatabasePath());
  HWND window = Open();
  ASSERT_NE(window, nullptr);
  Select(0);
  Press(IDC_DB_DELETE_ITEM);

  // The Close button, Alt+F4, the taskbar's "Close window": each tries,
  // says why it failed, and keeps the window with its Entries.
  uitest::FileLock lock(DatabasePath());
  ASSERT_TRUE(lock.held());
  const std::vector<std::pair<UINT, WPARAM>> closes = {
      {WM_COMMAND, IDC_DB_CLOSE}, {WM_SYSCOMMAND, SC_CLOSE}, {WM_CLOSE, 0}};
  for (const auto& [message, wParam] : closes) {
    answers_.Queue(uitest::PressButton(IDOK));
    SendMessageA(window, message, wParam, 0);
    uitest::Pump();
    EXPECT_TRUE(IsWindow(window)) << "message " << message << ": the window went with the Entries that were not saved";
    EXPECT_EQ(Rows(), std::vector<Entry>{entries[1]});
  }
  ASSERT_EQ(answers_.seen().size(), 3u);
  EXPECT_EQ(answers_.seen()[2].caption, "Orvanta");
  EXPECT_NE(answers_.seen()[2].text.find(DatabasePath()), std::string::npos) << answers_.seen()[2].text;
  lock.Release();
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), before);

  // Once the file is free, Alt+F4 saves.
  SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), FileBytes({entries[1]}));
  EXPECT_EQ(answers_.seen().size(), 3u);
}

TEST_F(DatabaseTest, AnUnreadableFileIsNeverReplacedWithoutACopy) {
  const std::string original = FileBytes(SampleEntries(3));
  uitest::WriteFile(DatabasePath(), original);
  uitest::FileLock lock(DatabasePath());
  ASSERT_TRUE(lock.held());
  answers_.Queue(uitest::PressButton(IDOK));  // what could not be read, said at once
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(RowCount(), 0);

  // Add an Entry, then close while the file still cannot be read: no copy
  // can be made, so nothing is replaced and the window stays.
  answers_.Queue(uitest::SetItemText(IDC_ITEM_PASSWORD, "new", uitest::PressButton(IDC_ITEM_OK)));
  Press(IDC_DB_ADD_ITEM);
  ASSERT_EQ(RowCount(), 1);
  answers_.Queue(uitest::PressButton(IDOK));
  Press(IDC_DB_CLOSE);
  EXPECT_NE(Window(), nullptr);
  ASSERT_EQ(Messages().size(), 2u);

  lock.Release();
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), original);
  answers_.Queue(uitest::PressButton(IDOK));
  Press(IDC_DB_CLOSE);
  EXPECT_EQ(Window(), nullptr);
  ASSERT_EQ(Messages().size(), 3u);
  EXPECT_NE(Messages()[2].find("mypsw.txt.bak"), std::string::npos) << Messages()[2];
  EXPECT_EQ(uitest::ReadFile(DatabasePath() + ".bak"), original);
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), FileBytes({MakeEntry("new", "", "", "")}));
}

TEST_F(DatabaseTest, ExitSavesAnOpenDatabase) {
  ASSERT_NE(Open(), nullptr);
  answers_.Queue(uitest::SetItemText(IDC_ITEM_PASSWORD, "kept at exit", uitest::PressButton(IDC_ITEM_OK)));
  Press(IDC_DB_ADD_ITEM);
  ASSERT_EQ(RowCount(), 1);
  Command(IDM_EXIT);
  uitest::Pump();
  EXPECT_TRUE(DatabaseWindows().empty()) << "the database window outlived the program";
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), FileBytes({MakeEntry("kept at exit", "", "", "")}));
}
