// File > "&Save" and File > "Print" of the batch. Both take the Output
// buffer, the batch as generated or last sorted, never the edited text.
#include <windows.h>
#include <richedit.h>

#include <filesystem>
#include <string>

#include "app/app_state.h"
#include "app/commands.h"
#include "platform/win/output_view.h"
#include "platform/win/save_dialog.h"
#include "platform/win/print_pages.h"

namespace orvanta {

namespace {

// A hidden rich edit control holding the Output buffer, in the Output
// editor's font, character format and alignment: what Print lays out.
// (The Output editor itself may hold edited text.)
HWND MakePrintEditor(HWND dialog) {
  AppState& app = App();
  HWND output = OutputEditorOf(dialog);
  RECT rc{};
  if (output) GetClientRect(output, &rc);
  HWND editor = CreateWindowExA(0, "RichEdit", "", WS_CHILD | ES_MULTILINE, 0, 0, rc.right, rc.bottom, dialog, nullptr,
                                app.module, nullptr);
  if (!editor) return nullptr;
  SendMessageA(editor, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
  if (output) {
    SendMessageA(editor, WM_SETFONT, SendMessageA(output, WM_GETFONT, 0, 0), FALSE);
    // The character format at the start of the text, as a fresh Output
    // editor takes it; the user's selection is put back afterwards.
    CHARRANGE selection{};
    SendMessageA(output, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    SendMessageA(output, EM_SETSEL, 0, 0);
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    SendMessageA(output, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    SendMessageA(output, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    cf.cbSize = sizeof cf;
    SendMessageA(editor, EM_SETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&cf));
  }
  ApplyAlignment(editor, app.output.alignment);
  app.NoteAlignmentApplied(app.output.alignment);
  SetWindowTextA(editor, app.engine.output().c_str());
  return editor;
}

}  // namespace

void SaveCommand(HWND dialog) {
  std::filesystem::path path;
  // Owned, so that no Generate or Exit can happen underneath it.
  if (!AskSaveFileName(dialog, kBatchSaveFilters, &path)) return;
  WriteFileOrReport(dialog, path, App().engine.output());
  FocusBigScreen(dialog);
}

void PrintCommand(HWND dialog) {
  // The printer first: a cancelled dialog costs no layout of a large batch.
  if (HDC printer = AskPrinter(dialog)) {
    if (HWND editor = MakePrintEditor(dialog)) {
      PrintEditorTextOn(printer, dialog, editor, "Orvanta");
      DestroyWindow(editor);
    } else {
      DeleteDC(printer);
    }
  }
  FocusBigScreen(dialog);
}

}  // namespace orvanta
