// Times the real Password database window under Wine with 10,000 Entries:
// opening it (reading "mypsw.txt" and filling the list), saving the list
// back, Save All through the real Save dialog, and closing it.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/commands.h"
#include "database/db_file.h"
#include "database/db_text.h"
#include "database/win/database_file.h"
#include "database/win/database_window.h"
#include "platform/safe_write.h"
#include "bench_util.h"
#include "resources/resource.h"

namespace {

constexpr int kEntries = 10000;
std::string g_exportPath;

BOOL CALLBACK AnswerSaveDialog(HWND hwnd, LPARAM) {
  char name[16] = "";
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  HWND combo = GetDlgItem(hwnd, 0x47C);
  HWND edit = combo ? FindWindowExA(combo, nullptr, "Edit", nullptr) : nullptr;
  if (!edit) edit = combo ? combo : GetDlgItem(hwnd, 0x480);
  if (edit) SetWindowTextA(edit, g_exportPath.c_str());
  PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return TRUE;
}

// Answers the Save dialog from inside its modal loop.
void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), AnswerSaveDialog, 0); }

std::vector<orvanta::Entry> SampleEntries() {
  std::vector<orvanta::Entry> entries;
  for (int i = 0; i < kEntries; ++i) {
    std::string n = std::to_string(i);
    entries.push_back(orvanta::MakeEntry("Pw" + n + "xq7!", "user" + n + "@example.org",
                                         "https://site" + n + ".example", "comment for entry " + n));
  }
  return entries;
}

}  // namespace

int main() {
  InitCommonControls();
  LoadLibraryA("RICHED32.DLL");
  orvanta::App().module = GetModuleHandleA(nullptr);

  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  std::string folder = std::string(base) + "orvanta-db-bench-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  SetCurrentDirectoryA(folder.c_str());
  g_exportPath = folder + "\\export.txt";

  std::string bytes;
  orvanta::SerializeDatabase(SampleEntries(), &bytes);
  orvanta::SafeWriteFile("mypsw.txt", bytes);
  printf("Password database window under Wine, %d Entries (mypsw.txt %zu bytes)\n", kEntries, bytes.size());

  double t = Seconds();
  orvanta::OpenDatabaseWindow(nullptr);
  Pump();
  const double load = Seconds() - t;
  orvanta::DatabaseWindow& db = *orvanta::FindDatabaseWindow();
  const LRESULT rows = SendMessageA(db.list, LVM_GETITEMCOUNT, 0, 0);
  printf("  open + load (LoadDatabase, list filled, painted): %8.3f s  (%ld rows)\n", load, static_cast<long>(rows));

  t = Seconds();
  std::vector<orvanta::Entry> entries = orvanta::ListEntries(db);
  printf("  read all cells back from the list:                %8.3f s\n", Seconds() - t);

  t = Seconds();
  bool saved = orvanta::SaveDatabase(db).done();
  printf("  save (SaveDatabase: list -> mypsw.txt):           %8.3f s  (%s)\n", Seconds() - t, saved ? "ok" : "FAILED");

  t = Seconds();
  std::string text = orvanta::BuildDatabaseText(entries);
  orvanta::SafeWriteFile(g_exportPath, text);
  printf("  export text built and written (no dialog):        %8.3f s  (%zu bytes)\n", Seconds() - t, text.size());

  UINT_PTR timer = SetTimer(nullptr, 0, 10, OnTimer);
  t = Seconds();
  SendMessageA(GetDlgItem(db.window, IDC_DB_SAVE_ALL), BM_CLICK, 0, 0);
  const double exportTime = Seconds() - t;
  KillTimer(nullptr, timer);
  std::string exported;
  orvanta::ReadWholeFile(g_exportPath, &exported);
  printf("  Save All (Save dialog shown and answered, write): %8.3f s  (%s)\n", exportTime,
         exported == text ? "same bytes" : "DIFFERENT BYTES");

  t = Seconds();
  SendMessageA(GetDlgItem(db.window, IDC_DB_CLOSE), BM_CLICK, 0, 0);
  Pump();
  printf("  Close (save + destroy):                           %8.3f s\n", Seconds() - t);

  DeleteFileA("mypsw.txt");
  DeleteFileA(g_exportPath.c_str());
  SetCurrentDirectoryA(base);
  RemoveDirectoryA(folder.c_str());
  return 0;
}
