// Entry of the Windows test binary: a crash ends the process at once (no
// debugger dialog to wait for), and the program's start-up is repeated.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "app/app_state.h"

namespace {
LONG WINAPI OnCrash(EXCEPTION_POINTERS* info) {
  fprintf(stderr, "test crashed: exception 0x%08lx at %p\n",
          static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode), info->ExceptionRecord->ExceptionAddress);
  fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}
}  // namespace

int main(int argc, char** argv) {
  SetUnhandledExceptionFilter(OnCrash);
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  InitCommonControls();
  LoadLibraryA("RICHED32.DLL");
  orvanta::App().module = GetModuleHandleA(nullptr);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
