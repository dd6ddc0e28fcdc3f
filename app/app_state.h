// What the windows of one run of the program share: the Generator settings,
// the engine, the sort lists, how batches are shown, the fonts and the
// editor commands' format records. It starts from the program's defaults
// whenever the main dialog opens. Each window's own state is in its record.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <map>

#include "app/sort_lists.h"
#include "engine/engine.h"
#include "engine/strong_random.h"
#include "platform/system_random.h"
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

// The fonts of the main dialog and the Big-screen window for one DPI: made
// the first time a window of that DPI needs them and kept for the whole run.
struct Fonts {
  HFONT dialogFont = nullptr;  // "MS Sans Serif", 16 pixels at 96 DPI, for buttons
  HFONT outputFont = nullptr;  // "Arial", 32 pixels at 96 DPI, for the output editors
};

// The main dialog's record, in its DWLP_USER from WM_INITDIALOG to WM_NCDESTROY.
struct MainDialogRecord {
  HWND bigScreen = nullptr;  // the Big-screen window while it is open
};
MainDialogRecord* MainDialogOf(HWND dialog);

// The main dialog's controls, looked up because the Output editor is
// replaced by a fresh control for large texts.
HWND OutputEditorOf(HWND dialog);
HWND ToolbarOf(HWND dialog);
// The editor of `dialog`'s Big-screen window; nullptr while it is closed.
HWND BigScreenEditorOf(HWND dialog);
// Gives the Big-screen editor the keyboard focus when the window is open.
void FocusBigScreen(HWND dialog);

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
  EditorRecords editor;
  // The seeding clock; tests replace it to make batches repeatable.
  DWORD(WINAPI* tickCount)() = GetTickCount;
  // The source of strong batches; tests replace it with one that fails.
  bool (*randomBytes)(unsigned char* bytes, std::size_t count) = FillWithSystemRandom;

  // One batch into the Output buffer with the settings as they are now:
  // while Seed > "Strong (system random)" holds, from the system's random
  // source, else seeded from the clock by `seedMode`. False when the
  // system's source failed: the Output buffer is then empty.
  bool MakeBatch(int32_t seedMode);

  // Gives `dialog`'s Output editor `text`, with an Alignment code (0: keep
  // the editor's own) as ReplaceEditorText does; returns the editor now
  // showing it.
  HWND SetOutputEditorText(HWND dialog, std::string_view text, int alignmentCode = 0);
  // An editor was given the alignment of `alignmentCode`: the paragraph
  // record holds it and the alignment counts as chosen.
  void NoteAlignmentApplied(int alignmentCode);
  // Back to the state a new run starts with (settings, engine, lists, output).
  void ResetForNewRun();
  // The fonts for a window of `dpi`.
  const Fonts& FontsFor(int dpi);

 private:
  std::map<int, Fonts> fontsByDpi_;
};

AppState& App();

}  // namespace orvanta
