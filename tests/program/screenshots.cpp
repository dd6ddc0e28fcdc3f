// The pictures of docs/screenshots, taken from the real orvanta.exe as its
// own process: the driver opens each window as a user would and copies it
// from the screen as a 24-bit BMP (scripts/screenshots.sh makes the PNGs).
//   orvanta_screenshots PROGRAM.exe FOLDER OUT_FOLDER [main]
// FOLDER is where the program starts; it is given a "mypsw.txt" of sample
// Entries. With "main", only the main window is taken (the picture at 150 %). Without the font "Marlett", which draws
// the caption buttons, it takes no picture and fails.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "database/db_file.h"
#include "resources/resource.h"
#include "tests/program/driver.h"

namespace {

using driver::Check;
using driver::FindVisible;
using driver::WaitForWindow;
using driver::WaitUntilGone;

std::wstring g_out;

int CALLBACK NoteFont(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool HasFont(const char* face) {
  LOGFONTA font{};
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &font, NoteFont, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

// The window as the screen shows it, caption and frame included, once it has painted.
void Take(HWND window, const wchar_t* name) {
  Check(window != nullptr, "a window to take is missing");
  if (!window) return;
  Sleep(700);
  RECT place;
  GetWindowRect(window, &place);
  const int width = place.right - place.left, height = place.bottom - place.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  std::vector<char> pixels(rowBytes * static_cast<DWORD>(height));
  GetDIBits(memory, picture, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  HANDLE out = CreateFileW((g_out + name + L".bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  const bool ok = out != INVALID_HANDLE_VALUE && WriteFile(out, &file, sizeof file, &written, nullptr) &&
                  WriteFile(out, &info, sizeof info, &written, nullptr) &&
                  WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
  Check(ok, "a picture could not be written");
}

void Close(HWND dialog, int button) {
  if (!dialog) return;
  PostMessageA(dialog, WM_COMMAND, button, 0);
  WaitUntilGone(dialog);
}

void SetText(HWND dialog, int id, const char* text) {
  SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void TakeEveryWindow(HWND main, bool mainOnly) {
  auto click = [main](int id) { SendMessageA(GetDlgItem(main, id), BM_CLICK, 0, 0); };
  for (int id : {IDC_MODE_ADVANCED, IDC_KEYS_ALL, IDC_CASE_YES, IDC_LENGTH_12, IDC_QUANTITY_50, IDC_GENERATE})
    click(id);
  Take(main, L"main");
  if (mainOnly) return;

  PostMessageA(main, WM_COMMAND, IDM_SEED_CUSTOM, 0);
  HWND seed = WaitForWindow("#32770", "Custom Seed");
  Take(seed, L"custom-seed");
  Close(seed, IDC_SEED_CANCEL);

  click(IDC_USE_BIG_SCREEN);
  click(IDC_GENERATE);
  HWND big = WaitForWindow("popup", "Select symbol");
  Take(big, L"big-screen");
  if (big) SendMessageA(GetDlgItem(big, IDC_BIG_CLOSE), BM_CLICK, 0, 0);

  click(IDC_DATABASE);
  HWND db = WaitForWindow("generic", "Database");
  Take(db, L"database");
  if (db) PostMessageA(GetDlgItem(db, IDC_DB_ADD_ITEM), BM_CLICK, 0, 0);
  if (HWND item = WaitForWindow("#32770", "Item Data")) {
    SetText(item, IDC_ITEM_PASSWORD, "f7r!bk42#Lm");
    SetText(item, IDC_ITEM_LOGIN, "ada@example.org");
    SetText(item, IDC_ITEM_URL, "https://mail.example.org");
    SetText(item, IDC_ITEM_COMMENTS, "work mail");
    Take(item, L"item-data");
    Close(item, IDC_ITEM_CANCEL);
  }

  PostMessageA(main, WM_COMMAND, IDM_HELP, 0);
  HWND viewer = nullptr;
  driver::WaitFor([&] { return (viewer = FindVisible("MS_WINHELP", nullptr, false)) != nullptr; });
  Take(viewer, L"help");
  if (viewer) PostMessageA(viewer, WM_CLOSE, 0, 0);
}

// The Entries the database picture shows.
void WriteSampleDatabase(const std::wstring& folder) {
  const std::vector<orvanta::Entry> entries{
      orvanta::MakeEntry("q8Zr2mWx", "alice", "https://bank.example.com", "savings"),
      orvanta::MakeEntry("hT4pLa91", "alice.w", "https://mail.example.org", ""),
      orvanta::MakeEntry("x3Vb7Nq0", "", "https://forum.example.net", "old account"),
      orvanta::MakeEntry("Kp5sD2eY", "awood", "", "router admin")};
  std::string bytes;
  orvanta::SerializeDatabase(entries, &bytes);
  HANDLE file = CreateFileW((folder + L"mypsw.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const bool mainOnly = argc == 5 && std::wstring(argv[4]) == L"main";
  if (argc != 4 && !mainOnly) {
    fprintf(stderr, "usage: orvanta_screenshots PROGRAM.exe FOLDER OUT_FOLDER [main]\n");
    return 2;
  }
  if (!HasFont("Marlett")) {
    fprintf(stderr, "the font Marlett is missing: the caption buttons would show letters\n");
    return 1;
  }
  std::wstring folder = argv[2];
  g_out = argv[3];
  if (folder.back() != L'\\') folder += L'\\';
  if (g_out.back() != L'\\') g_out += L'\\';
  WriteSampleDatabase(folder);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
  if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process)) {
    fprintf(stderr, "could not start the program (error %lu)\n", GetLastError());
    return 1;
  }
  driver::WatchProgram(process.dwProcessId);
  if (HWND main = WaitForWindow("#32770", "Orvanta.")) {
    TakeEveryWindow(main, mainOnly);
    PostMessageA(main, WM_COMMAND, IDM_EXIT, 0);
  } else {
    Check(false, "the main window did not show");
  }
  WaitForSingleObject(process.hProcess, 20000);
  TerminateProcess(process.hProcess, 1);  // a no-op once it has ended
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return driver::Failures() ? 1 : 0;
}
