// Starts an orvanta.exe as its own process, as a user does, waits for its
// main window ("Orvanta."), then chooses File > Exit and waits for the
// process to end. Exit code 0 when all of that happened in time.
//   orvanta_start_check PROGRAM.exe
#include <windows.h>

#include <cstdio>
#include <string>

#include "resources/resource.h"

namespace {

struct Search {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM lParam) {
  Search& search = *reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  char caption[32] = "";
  GetWindowTextA(hwnd, caption, sizeof caption);
  if (owner != search.processId || std::string(caption) != "Orvanta." || !IsWindowVisible(hwnd)) return TRUE;
  search.found = hwnd;
  return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: orvanta_start_check PROGRAM.exe\n");
    return 2;
  }
  // Started in the program's own folder, where its "mypsw.txt" would live.
  std::string folder = argv[1];
  folder.resize(folder.find_last_of("\\/") + 1);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + std::string(argv[1]) + "\"";
  if (!CreateProcessA(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process)) {
    fprintf(stderr, "could not start %s (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  Search search{process.dwProcessId, nullptr};
  const DWORD start = GetTickCount();
  while (!search.found && GetTickCount() - start < 30000) {
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(100);
  }
  int result = 0;
  if (!search.found) {
    fprintf(stderr, "no main window within 30 s\n");
    TerminateProcess(process.hProcess, 1);
    result = 1;
  } else {
    printf("main window after %lu ms\n", GetTickCount() - start);
    PostMessageA(search.found, WM_COMMAND, IDM_EXIT, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
      fprintf(stderr, "File > Exit did not end the program within 10 s\n");
      TerminateProcess(process.hProcess, 1);
      result = 1;
    }
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}
