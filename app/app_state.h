// The state of one run of the program. Each window keeps a small record
// here; the records exist once per process and start from the program's
// defaults whenever the main dialog opens.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include "app/sort_lists.h"
#include "engine/engine.h"

namespace orvanta {

// How batches are shown; read by the Generate command, the editor
// commands and the Big-screen window.
struct OutputState {
  bool autoCopy = false;
  bool useBigScreen = false;
  int alignment = 6;  // 5 left, 6 center, 7 right
  bool fontChosen = false;
};

enum : int { kAlignLeft = 5, kAlignCenter = 6, kAlignRight = 7 };

struct MainDialogRecord {
  HWND dialog = nullptr;
  HWND toolbar = nullptr;
  HFONT dialogFont = nullptr;  // "MS Sans Serif", for buttons
  HFONT outputFont = nullptr;  // "Arial", for the output editors
};

struct BigScreenRecord {
  HWND window = nullptr;  // non-null while the window is open
  HWND editor = nullptr;
};

// Records shared by the editor commands.
struct EditorRecords {
  PARAFORMAT paraFormat{};
  CHARFORMATA charFormat{};
  LOGFONTA logFont{};
  CHOOSEFONTA chooseFont{};
  char fileName[256] = "";  // offered by both Save dialogs
};

struct AppState {
  HINSTANCE module = nullptr;
  GeneratorSettings settings;
  Engine engine{settings};
  WinSortLists sortLists;
  OutputState output;
  MainDialogRecord main;
  BigScreenRecord bigScreen;
  EditorRecords editor;
  // The seeding clock; tests replace it to make batches repeatable.
  DWORD(WINAPI* tickCount)() = GetTickCount;

  // The main dialog's Output editor (it is replaced by a fresh control for
  // large texts, so its handle is looked up, not kept).
  HWND OutputEditor() const;
  bool BigScreenOpen() const { return bigScreen.window != nullptr; }
  // Back to the state a new run starts with (settings, engine, lists, output).
  void ResetForNewRun();
};

AppState& App();

}  // namespace orvanta
