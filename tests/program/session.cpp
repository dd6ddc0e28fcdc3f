// One user's session with the real orvanta.exe, started as its own process
// in an empty folder and driven from outside by window messages: only
// captions, control and command IDs, texts, the clipboard and files.
//   orvanta_session PROGRAM.exe FOLDER          the whole session
//   orvanta_session --start-only PROGRAM.exe FOLDER   start, then File > Exit
//   orvanta_session --without-rich-edit PROGRAM.exe FOLDER   a start that fails
//     (run-session.sh takes the rich edit library away for it)
// Paths are taken and used as UTF-16, so either folder may be named with
// letters that the system's code page cannot spell.
// Prints each step and its time; exit code 0 when every check held.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "database/db_text.h"
#include "platform/utf8_text.h"
#include "resources/resource.h"
#include "tests/program/driver.h"
#include "tests/win/support/save_dialog_box.h"

namespace {

using driver::AnswerComplaint;
using driver::Check;
using driver::ClipboardText;
using driver::FileText;
using driver::FindVisible;
using driver::FocusOf;
using driver::PressKey;
using driver::Step;
using driver::TextOf;
using driver::WaitFor;
using driver::WaitForWindow;
using driver::WaitUntilGone;

// The names the session saves under, beside "mypsw.txt" in FOLDER.
const wchar_t kBatchName[] = L"batch-Łódź-Ω-李.txt";
const wchar_t kExportName[] = L"export-Łódź-Ω-李.txt";

// Whether `process` runs the COMCTL32 of Common Controls 6, which its
// manifest asks for: the side-by-side assembly's, not the system folder's
// older one. The program loads it late (delay-loaded), under the manifest's
// activation context.
bool RunsCommonControls6(HANDLE process) {
  HMODULE modules[512];
  DWORD bytes = 0;
  if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) return false;
  for (DWORD i = 0; i < bytes / sizeof modules[0]; ++i) {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameExW(process, modules[i], path, MAX_PATH);
    CharLowerW(path);
    const std::wstring name(path);
    if (name.size() >= 13 && name.compare(name.size() - 13, 13, L"\\comctl32.dll") == 0)
      return name.find(L"microsoft.windows.common-controls_") != std::wstring::npos &&
             name.find(L"_6.0.") != std::wstring::npos;
  }
  return false;
}

// The passwords of a batch text, without the spaces that follow each.
std::vector<std::string> Passwords(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    line.erase(line.find_last_not_of(' ') + 1);
    if (!line.empty()) lines.push_back(line);
    start = text.find_first_not_of("\r\n", end);
    if (start == std::string::npos) break;
  }
  return lines;
}

class Session {
 public:
  explicit Session(HWND main) : main_(main) {}

  HWND Output() const { return GetDlgItem(main_, IDC_OUTPUT); }
  void Click(int id) { SendMessageA(GetDlgItem(main_, id), BM_CLICK, 0, 0); }
  bool Checked(int id) const { return SendMessageA(GetDlgItem(main_, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void Batch(int lengthId, int quantityId) {
    Click(lengthId);
    Click(quantityId);
    Click(IDC_GENERATE);
  }
  void ExpectBatch(size_t count, size_t length, const char* what) {
    const std::vector<std::string> passwords = Passwords(TextOf(Output()));
    Check(passwords.size() == count, what);
    Check(
        std::all_of(passwords.begin(), passwords.end(), [length](const std::string& p) { return p.size() == length; }),
        what);
  }
  // Chooses a command that opens a modal dialog: posted, so that this
  // driver is free to answer the dialog.
  void Choose(int command) { PostMessageA(main_, WM_COMMAND, command, 0); }
  void Command(int command) { SendMessageA(main_, WM_COMMAND, command, 0); }
  HWND main() const { return main_; }

 private:
  HWND main_;
};

// Whether the keyboard focus comes to `window`'s control `id` (the
// database list has the ID 0) and stays there, with `window` in front, for a
// moment: Wine may still hand the activation to a window that was in front
// a moment ago (after the help viewer closes), and a key posted before that
// would go to a control that loses the focus before it reads the key.
bool FocusOn(HWND window, int id) {
  DWORD since = 0;
  return WaitFor([&] {
    HWND focus = FocusOf(window);
    if (!focus || GetParent(focus) != window || GetDlgCtrlID(focus) != id || GetForegroundWindow() != window) {
      since = 0;
      return false;
    }
    if (!since) since = GetTickCount();
    return GetTickCount() - since >= 300;
  });
}

void SaveDialogAnswer(HWND dialog, const std::wstring& path) {
  SendMessageW(uitest::SaveDialogFileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  WaitUntilGone(dialog);
}

// Help > "&Help ": under Wine, the help viewer opens orv.hlp from beside the
// program; neither the program nor the viewer may say the file is missing.
void OpenAndCloseHelp(Session& s) {
  s.Choose(IDM_HELP);
  HWND viewer = nullptr, complaint = nullptr, viewerError = nullptr;
  for (const DWORD start = GetTickCount(); GetTickCount() - start < 20000; Sleep(20)) {
    viewer = FindVisible("MS_WINHELP", nullptr, false);
    complaint = FindVisible("#32770", "Orvanta");
    viewerError = FindVisible("#32770", "ERROR", false);
    if (complaint || viewerError || viewer) break;
  }
  Check(!complaint, "Help said that its file was not found");
  Check(!viewerError, "the help viewer could not find the help file");
  Check(viewer != nullptr, "no help viewer appeared");
  if (complaint) PostMessageA(complaint, WM_COMMAND, IDOK, 0);
  if (viewerError) PostMessageA(viewerError, WM_COMMAND, IDNO, 0);  // "Do you want to find this file yourself?"
  // The viewer may still be opening its window behind the error.
  if (!viewer && viewerError) viewer = FindVisible("MS_WINHELP", nullptr, false);
  if (viewer) {
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    WaitUntilGone(viewer);
    // As a user, who goes on once the program is in front again.
    WaitFor([&] { return GetForegroundWindow() == s.main(); }, 3000);
  }
}

// What a user does with the largest batch once it is shown: scrolls through
// it, cuts it all, takes the cut back, pastes it over itself, gives it a font.
void WorkWithTheLargestBatch(Session& s) {
  const std::string shown = TextOf(s.Output());
  Step("Scroll bar to the end and back", [&] {
    SendMessageA(s.Output(), WM_VSCROLL, SB_BOTTOM, 0);
    Check(SendMessageA(s.Output(), EM_GETFIRSTVISIBLELINE, 0, 0) > 9000, "the scroll bar did not reach the end");
    SendMessageA(s.Output(), WM_VSCROLL, SB_TOP, 0);
    Check(SendMessageA(s.Output(), EM_GETFIRSTVISIBLELINE, 0, 0) == 0, "the scroll bar did not come back");
  });
  Step("Edit > Select all, Cut", [&] { s.Command(IDM_SELECT_ALL), s.Command(IDM_CUT); });
  Check(TextOf(s.Output()).empty(), "Cut left text in the Output editor");
  Check(ClipboardText() == shown, "Cut did not put the whole batch on the clipboard");
  Step("Edit > Undo", [&] { s.Command(IDM_UNDO); });
  Check(TextOf(s.Output()) == shown, "Undo did not bring the batch back");
  Step("Edit > Select all, Paste", [&] { s.Command(IDM_SELECT_ALL), s.Command(IDM_PASTE); });
  Check(TextOf(s.Output()) == shown, "Paste over the whole batch did not give the batch");
  Step("Edit > Select all, Format > Font, OK", [&] {
    s.Command(IDM_SELECT_ALL);
    s.Choose(IDM_FONT);
    if (HWND font = WaitForWindow("#32770", "Font")) {
      PostMessageA(font, WM_COMMAND, IDOK, 0);
      WaitUntilGone(font);
    }
    SendMessageA(s.main(), WM_NULL, 0, 0);  // answered once the command has applied the font
  });
  Check(TextOf(s.Output()) == shown, "Font changed the text");
}

void RunSession(Session& s, const std::wstring& folder) {
  Step("start-up state", [&] {
    for (int id : {IDC_MODE_SIMPLE, IDC_KEYS_ALNUM, IDC_LENGTH_4, IDC_CASE_NO, IDC_QUANTITY_2, IDC_METHOD_BITSHIFT})
      Check(s.Checked(id), "a start-up option is not checked");
    Check(TextOf(s.Output()).empty(), "the Output editor is not empty at start");
  });
  Step("Generate 2 x 4", [&] { s.Click(IDC_GENERATE); });
  s.ExpectBatch(2, 4, "2 x 4");
  Step("Generate 9999 x 34", [&] { s.Batch(IDC_LENGTH_34, IDC_QUANTITY_9999); });
  s.ExpectBatch(9999, 34, "9999 x 34");
  Step("Generate 2 x 4 after the largest", [&] { s.Batch(IDC_LENGTH_4, IDC_QUANTITY_2); });
  s.ExpectBatch(2, 4, "2 x 4 after the largest");
  Step("Auto copy, Generate 9999 x 34", [&] {
    s.Click(IDC_AUTO_COPY);
    s.Batch(IDC_LENGTH_34, IDC_QUANTITY_9999);
  });
  const std::string largest = TextOf(s.Output());
  Check(Passwords(largest).size() == 9999, "the largest batch with Auto copy");
  Check(Passwords(ClipboardText()) == Passwords(largest), "the clipboard does not hold the shown batch");
  Step("Sort ascending", [&] { SendMessageA(s.main(), WM_COMMAND, IDM_SORT_ASCENDING, 0); });
  std::vector<std::string> sorted = Passwords(TextOf(s.Output()));
  std::vector<std::string> before = Passwords(largest);
  Check(std::is_sorted(sorted.begin(), sorted.end(),
                       [](const std::string& a, const std::string& b) { return lstrcmpA(a.c_str(), b.c_str()) < 0; }),
        "Sort ascending is not in order");
  std::sort(sorted.begin(), sorted.end());
  std::sort(before.begin(), before.end());
  Check(sorted == before, "Sort ascending changed the passwords");
  Step("Sort descending", [&] { SendMessageA(s.main(), WM_COMMAND, IDM_SORT_DESCENDING, 0); });
  const std::vector<std::string> descending = Passwords(TextOf(s.Output()));
  Check(descending.size() == 9999 && lstrcmpA(descending.front().c_str(), descending.back().c_str()) >= 0,
        "Sort descending is not in order");
  WorkWithTheLargestBatch(s);

  s.Click(IDC_AUTO_COPY);
  const std::wstring batchFile = folder + kBatchName;
  Step("Generate 2 x 4, File > Save through the Save dialog", [&] {
    s.Batch(IDC_LENGTH_4, IDC_QUANTITY_2);
    s.Choose(IDM_SAVE);
    if (HWND dialog = WaitForWindow("#32770", "Save File As")) SaveDialogAnswer(dialog, batchFile);
  });
  Check(Passwords(FileText(batchFile)) == Passwords(TextOf(s.Output())), "the saved file does not hold the batch");

  Step("Seed > Custom: the nine digits, OK, Generate 2 x 4", [&] {
    s.Choose(IDM_SEED_CUSTOM);
    HWND seed = WaitForWindow("#32770", "Custom Seed");
    if (!seed) return;
    std::string digits;
    for (int id = IDC_SEED_DIGIT_FIRST; id <= IDC_SEED_DIGIT_LAST; ++id) digits += TextOf(GetDlgItem(seed, id));
    Check(digits == "862753941", "the Custom Seed dialog does not start from 8 6 2 7 5 3 9 4 1");
    PostMessageA(GetDlgItem(seed, IDC_SEED_OK), BM_CLICK, 0, 0);
    if (HWND told = WaitForWindow("#32770", "New Seed")) {
      Check(TextOf(GetDlgItem(told, 0xFFFF)) == "862753941", "\"New Seed\" does not say the seed");
      PostMessageA(told, WM_COMMAND, IDOK, 0);
      WaitUntilGone(told);
    }
    WaitUntilGone(seed);
    s.Click(IDC_GENERATE);
  });
  s.ExpectBatch(2, 4, "2 x 4 with a custom seed");

  Step("Seed > Strong (system random), Generate 2000 x 20, Seed > Autogenerate", [&] {
    s.Command(IDM_SEED_STRONG);
    Check(!IsWindowEnabled(GetDlgItem(s.main(), IDC_METHOD_LCG)), "Strong left the method to choose");
    s.Batch(IDC_LENGTH_20, IDC_QUANTITY_2000);
    s.ExpectBatch(2000, 20, "a strong 2000 x 20");
    const std::string strong = TextOf(s.Output());
    Check(strong.find_first_not_of("0123456789abcdefghijklmnopqrstuvwxyz \n") == std::string::npos,
          "a strong batch of Numbers and Letters holds other characters");
    s.Command(IDM_SEED_AUTO);
    s.Click(IDC_LENGTH_4);
    s.Click(IDC_QUANTITY_2);
  });

  Step("Big screen: 2 x 4 into it; Tab, Tab, Space on CLOSE", [&] {
    s.Click(IDC_USE_BIG_SCREEN);
    s.Click(IDC_GENERATE);
    HWND big = WaitForWindow("popup", "Select symbol");
    if (!big) return;
    const std::vector<std::string> shown = Passwords(TextOf(GetDlgItem(big, IDC_BIG_EDITOR)));
    Check(shown.size() == 2 && shown[0].size() == 4, "the Big-screen window does not show the batch");
    Check(FocusOn(big, IDC_BIG_GENERATE), "the Big-screen window opened without the focus on GENERATE PASSWORD");
    PressKey(big, VK_TAB);
    Check(FocusOn(big, IDC_BIG_EDITOR), "Tab did not move on to the Big-screen editor");
    PressKey(big, VK_TAB);
    Check(FocusOn(big, IDC_BIG_CLOSE), "Tab did not move on to CLOSE");
    PressKey(big, VK_SPACE);
    Check(WaitFor([&] { return !IsWindow(big); }), "Space on CLOSE did not close the Big-screen window");
    s.Click(IDC_USE_BIG_SCREEN);
  });

  Step("Help > Help, the viewer closed", [&] { OpenAndCloseHelp(s); });

  Step("Database: Tab, Space on Add Item, Save All, Close", [&] {
    s.Click(IDC_DATABASE);
    HWND db = WaitForWindow("generic", "Database");
    if (!db) return;
    Check(FocusOn(db, 0), "the database window opened without the focus on its list");
    PressKey(db, VK_TAB);
    Check(FocusOn(db, IDC_DB_ADD_ITEM), "Tab did not move from the list to Add Item");
    PressKey(db, VK_SPACE);
    if (HWND item = WaitForWindow("#32770", "Item Data")) {
      SendDlgItemMessageA(item, IDC_ITEM_PASSWORD, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("from the session"));
      PostMessageA(item, WM_COMMAND, IDC_ITEM_OK, 0);
      WaitUntilGone(item);
    }
    PostMessageA(GetDlgItem(db, IDC_DB_SAVE_ALL), BM_CLICK, 0, 0);
    if (HWND dialog = WaitForWindow("#32770", "Save File As")) SaveDialogAnswer(dialog, folder + kExportName);
    PostMessageA(GetDlgItem(db, IDC_DB_CLOSE), BM_CLICK, 0, 0);
    WaitUntilGone(db);
  });
  const std::vector<orvanta::Entry> entry{orvanta::MakeEntry("from the session", "", "", "")};
  Check(FileText(folder + kExportName) == orvanta::BuildDatabaseText(entry), "Save All did not write the Entry");
  const std::string saved = FileText(folder + L"mypsw.txt");
  Check(saved.size() == 1025 && saved.rfind("from the session", 0) == 0, "mypsw.txt does not hold the Entry");
  Step("Database reopened; Home, Enter on the Entry", [&] {
    s.Click(IDC_DATABASE);
    HWND db = WaitForWindow("generic", "Database");
    if (!db) return;
    HWND list = FindWindowExA(db, nullptr, WC_LISTVIEWA, nullptr);
    Check(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 1, "the reopened database does not show the Entry");
    Check(FocusOn(db, 0), "the reopened database window has not the focus on its list");
    PressKey(db, VK_HOME);
    PressKey(db, VK_RETURN);
    Check(WaitFor([] { return ClipboardText() == "from the session"; }),
          "Enter on the Entry did not copy its password");
    PostMessageA(GetDlgItem(db, IDC_DB_ADD_ITEM), BM_CLICK, 0, 0);
    if (HWND item = WaitForWindow("#32770", "Item Data")) {
      SendDlgItemMessageA(item, IDC_ITEM_PASSWORD, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("before logoff"));
      PostMessageA(item, WM_COMMAND, IDC_ITEM_OK, 0);
      WaitUntilGone(item);
    }
    Check(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2, "Add Item did not add the second Entry");
  });
}

// Logoff with the database window open: Wine's wineboot ends the session as
// Windows does, with WM_QUERYENDSESSION and WM_ENDSESSION to every window.
void EndTheSession(HANDLE process) {
  wchar_t system[MAX_PATH] = L"";
  GetSystemDirectoryW(system, MAX_PATH);
  std::wstring commandLine = std::wstring(L"\"") + system + L"\\wineboot.exe\" --end-session";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION wineboot{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &wineboot)) {
    Check(false, "wineboot --end-session could not be started");
    return;
  }
  WaitForSingleObject(wineboot.hProcess, 30000);
  CloseHandle(wineboot.hThread);
  CloseHandle(wineboot.hProcess);
  Check(WaitForSingleObject(process, 20000) == WAIT_OBJECT_0, "the program outlived the session");
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const bool startOnly = argc == 4 && std::wstring(argv[1]) == L"--start-only";
  const bool cannotStart = argc == 4 && std::wstring(argv[1]) == L"--without-rich-edit";
  if (argc != 3 && !startOnly && !cannotStart) {
    fprintf(stderr, "usage: orvanta_session [--start-only | --without-rich-edit] PROGRAM.exe FOLDER\n");
    return 2;
  }
  const std::wstring program = argv[argc - 2];
  std::wstring folder = argv[argc - 1];
  if (folder.back() != L'\\') folder += L'\\';
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    fprintf(stderr, "could not start the program (error %lu)\n", GetLastError());
    return 1;
  }
  driver::WatchProgram(process.dwProcessId);
  printf("%s\n", orvanta::Utf8FromWide(program).c_str());
  HWND main = nullptr;
  if (!cannotStart) Step("start until the main window shows", [&] { main = WaitForWindow("#32770", "Orvanta."); });
  if (main) {
    Check(RunsCommonControls6(process.hProcess), "the program does not run Common Controls 6");
    Session session(main);
    if (!startOnly) {
      RunSession(session, folder);
      Step("The session ends (logoff), the process ends", [&] { EndTheSession(process.hProcess); });
      const std::string kept = FileText(folder + L"mypsw.txt");
      Check(kept.size() == 2049 && kept.find("before logoff") == 1024, "the Entry added before logoff was not saved");
    } else {
      Step("File > Exit, the process ends", [&] {
        PostMessageA(main, WM_COMMAND, IDM_EXIT, 0);
        for (const DWORD start = GetTickCount(); GetTickCount() - start < 20000;) {
          if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) break;
          AnswerComplaint();
        }
        Check(WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0, "File > Exit did not end the program");
      });
    }
  } else if (cannotStart) {
    Step("a start that fails says so and ends with an error", [&] {
      HWND told = WaitForWindow("#32770", "Orvanta");
      Check(told && TextOf(GetDlgItem(told, 0xFFFF)).find("could not start") != std::string::npos,
            "the failed start was not told");
      if (told) PostMessageA(told, WM_COMMAND, IDOK, 0);
      DWORD code = 0;
      Check(WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0 &&
                GetExitCodeProcess(process.hProcess, &code) && code != 0,
            "the failed start ended with exit code 0");
    });
  } else {
    Check(false, "the main window did not show");
  }
  TerminateProcess(process.hProcess, 1);  // a no-op once it has ended
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  printf(driver::Failures() ? "%d checks FAILED\n" : "every check held\n", driver::Failures());
  return driver::Failures() ? 1 : 0;
}
