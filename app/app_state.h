// The state of one run of the program. Each window keeps a small record
// here; the records exist once per process and start from the program's
// defaults whenever the main dialog opens.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include "app/sort_lists.h"
#include "engine/engine.h"
#include "platform/win/output_view.h"

namespace orvanta {

// How batches are shown; read by the Generate command, the editor
// commands and the Big-screen window.
struct OutputState {
  bool autoCopy = false;
  bool useBigScreen = false;
  int alignment = kAlignCenter;
  // Set by the first batch shown or alignment chosen; until then the
  // alignment checks keep their start state.
  bool alignmentChosen = false;
  bool fontChosen = false;
};

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
  // Gives the Output editor `text`, with an Alignment code (0: keep the
  // editor's own) as ReplaceEditorText does; returns the editor now showing it.
  HWND SetOutputEditorText(std::string_view text, int alignmentCode = 0);
  // An editor was given the alignment of `alignmentCode`: the paragraph
  // record holds it and the alignment counts as chosen.
  void NoteAlignmentApplied(int alignmentCode);
  bool BigScreenOpen() const { return bigScreen.window != nullptr; }
  // Back to the state a new run starts with (settings, engine, lists, output).
  void ResetForNewRun();
};

AppState& App();

}  // namespace orvanta
