#include "app/main_dialog.h"

#include <commctrl.h>

#include <iterator>

#include "app/app_state.h"
#include "app/commands.h"
#include "app/editor_commands.h"
#include "app/window_keys.h"
#include "platform/win/clipboard.h"
#include "platform/win/display_scale.h"
#include "platform/win/editor_edits.h"
#include "platform/win/output_view.h"
#include "platform/win/window_parts.h"
#include "database/win/database_file.h"
#include "database/win/database_window.h"
#include "resources/resource.h"

namespace orvanta {

namespace {

struct ToolbarEntry {
  int image;  // -1 for a separator
  int command;
  const char* tooltip;  // nullptr: no tooltip
};

constexpr ToolbarEntry kToolbar[] = {
    {0, IDM_SAVE, "Save"},
    {1, IDM_PRINT, "Print"},
    {-1, 0, nullptr},
    {2, IDM_ALIGN_LEFT, "Align Left"},
    {3, IDM_ALIGN_CENTER, "Center Text"},
    {4, IDM_ALIGN_RIGHT, "Align Right"},
    {-1, 0, nullptr},
    {5, IDM_UNDO, "Undo"},
    {6, IDM_CUT, "Cut"},
    {7, IDM_COPY, "Copy"},
    {8, IDM_PASTE, "Paste"},
    {9, IDM_CLEAR, "Delete"},
    {-1, 0, nullptr},
    {10, IDM_SORT_ASCENDING, "Sort ascending"},
    {11, IDM_SORT_DESCENDING, "Sort descending"},
    {-1, 0, nullptr},
    {12, IDM_FONT, "Font"},
    {-1, 0, nullptr},
    {13, IDM_HELP, "Help"},
};
constexpr int kToolbarImages = 14;
constexpr ScaledPicture kToolbarPicture = ORVANTA_SCALED_PICTURE(IDB_TOOLBAR);
constexpr ScaledPicture kDatabasePicture = ORVANTA_SCALED_PICTURE(IDB_DATABASE_BUTTON);

// Its images (16 x 15 at 100 %) drawn nearest to `dpi`'s scale; its buttons
// 23 x 21 pixels at 96 DPI and as much larger as the DPI.
HWND CreateMainToolbar(HWND dialog, HINSTANCE module, int dpi) {
  TBBUTTON buttons[std::size(kToolbar)] = {};
  for (size_t i = 0; i < std::size(kToolbar); ++i) {
    const ToolbarEntry& e = kToolbar[i];
    buttons[i].iBitmap = e.image < 0 ? 0 : e.image;
    buttons[i].idCommand = e.command;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = e.image < 0 ? TBSTYLE_SEP : TBSTYLE_BUTTON;
  }
  const int scale = PictureScale(dpi);
  const int width = PictureSize(16, scale), height = PictureSize(15, scale);
  HWND toolbar =
      CreateToolbarEx(dialog, WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE,
                      IDC_TOOLBAR, kToolbarImages, module, PictureFor(kToolbarPicture, dpi), buttons,
                      static_cast<int>(std::size(kToolbar)), width, height, width, height, sizeof(TBBUTTON));
  SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(ScaleToDpi(23, dpi), ScaleToDpi(21, dpi)));
  SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
  KeepOwnFontAtDpiChange(toolbar, true);  // made again for a new DPI instead
  return toolbar;
}

// The fonts the program gives the dialog's controls and the Database
// button's picture, for `dpi`. The Output editor keeps a font chosen with
// Format > Font.
void SetScaledParts(HWND dialog, int dpi) {
  AppState& app = App();
  const Fonts& fonts = app.FontsFor(dpi);
  if (!app.output.fontChosen)
    SendMessageA(OutputEditorOf(dialog), WM_SETFONT, reinterpret_cast<WPARAM>(fonts.outputFont), FALSE);
  SendDlgItemMessageA(dialog, IDC_GENERATE, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.dialogFont), FALSE);
  // Its light grey becomes the system's button face, as on the toolbar.
  HBITMAP picture = LoadPicture(app.module, kDatabasePicture, dpi);
  if (HGDIOBJ old = reinterpret_cast<HGDIOBJ>(
          SendDlgItemMessageA(dialog, IDC_DATABASE, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture))))
    DeleteObject(old);
}

// WM_DPICHANGED (the dialog went to a monitor of another scale): the dialog
// manager scales the dialog's own font and layout; the program's fonts, the
// picture and the toolbar, which keeps its buttons' states, are made again.
void OnDpiChanged(HWND dialog, WPARAM wParam, LPARAM lParam) {
  const int dpi = HIWORD(wParam);
  TakeSuggestedRect(dialog, lParam);
  SetScaledParts(dialog, dpi);
  HWND old = ToolbarOf(dialog);
  SetWindowLongPtrA(old, GWLP_ID, 0);
  HWND toolbar = CreateMainToolbar(dialog, App().module, dpi);
  for (const ToolbarEntry& e : kToolbar)
    if (e.image >= 0) SendMessageA(toolbar, TB_SETSTATE, e.command, SendMessageA(old, TB_GETSTATE, e.command, 0));
  DestroyWindow(old);
}

const char* TooltipFor(UINT_PTR command) {
  for (const ToolbarEntry& e : kToolbar)
    if (e.image >= 0 && static_cast<UINT_PTR>(e.command) == command) return e.tooltip;
  return nullptr;
}

BOOL OnInitDialog(HWND dialog) {
  AppState& app = App();
  app.ResetForNewRun();
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(new MainDialogRecord));
  if (!app.module) app.module = GetModuleHandleA(nullptr);

  const int dpi = DpiOf(dialog);
  SetScaledParts(dialog, dpi);
  KeepOwnFontAtDpiChange(GetDlgItem(dialog, IDC_GENERATE));
  KeepOwnFontAtDpiChange(OutputEditorOf(dialog));
  HWND toolbar = CreateMainToolbar(dialog, app.module, dpi);

  for (int id : {IDC_MODE_SIMPLE, IDC_KEYS_ALNUM, IDC_LENGTH_4, IDC_CASE_NO, IDC_QUANTITY_2, IDC_METHOD_BITSHIFT})
    SendDlgItemMessageA(dialog, id, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(toolbar, TB_CHECKBUTTON, IDM_ALIGN_CENTER, TRUE);

  // The database stays in the folder the program started in, wherever the
  // Save dialogs move the current folder later.
  FixDatabaseFolder();

  // The toolbar's Undo, Cut, Copy and Paste follow the Output editor's
  // selection (EN_SELCHANGE; a fresh editor copies the event mask) and the
  // clipboard (WM_CLIPBOARDUPDATE).
  HWND output = OutputEditorOf(dialog);
  // The template makes it with WS_VSCROLL, which rich edit has already taken
  // off while the editor is empty; the fresh editors of each batch need it.
  KeepEditorStyle(output, static_cast<DWORD>(GetWindowLongPtrA(output, GWL_STYLE)) | WS_VSCROLL);
  RouteEditorEdits(output);
  SendMessageA(output, EM_SETEVENTMASK, 0, SendMessageA(output, EM_GETEVENTMASK, 0, 0) | ENM_SELCHANGE);
  // Rich edit under Wine counts the editor's setting up as a step to undo:
  // the toolbar's Undo would be lit at start with nothing to undo.
  SendMessageA(output, EM_EMPTYUNDOBUFFER, 0, 0);
  AddClipboardFormatListener(dialog);
  RefreshEditButtons(dialog);
  StartWindowKeys(dialog);
  return TRUE;
}

// File > Exit, the close box, Alt+F4: the database's Entries are saved
// before the program ends, or the user decides to end without them.
// A password copied from the database leaves the clipboard with the program.
void EndMainDialog(HWND dialog) {
  if (!CloseDatabaseWindowAtExit(dialog)) return;
  ForgetPasswordCopy();
  EndDialog(dialog, 0);
}

// Logoff, restart, shutdown: the database window answers Windows' question
// for its Entries itself; once the session ends, the program ends with it.
void OnEndSession(HWND dialog, bool ending) {
  if (!ending) return;
  DatabaseSessionEnds();
  ForgetPasswordCopy();
  EndDialog(dialog, 0);
}

void OnCommand(HWND dialog, WPARAM wParam) {
  if (LOWORD(wParam) == IDC_GENERATE) {
    GenerateCommand(dialog);
    return;
  }
  int id = static_cast<int>(wParam);  // menu choices and clicks: notification code 0
  if (OptionCommand(dialog, id)) return;
  switch (id) {
    case IDM_GENERATE: GenerateCommand(dialog); break;
    case IDM_SORT_ASCENDING: SortCommand(dialog, true); break;
    case IDM_SORT_DESCENDING: SortCommand(dialog, false); break;
    case IDM_SEED_AUTO: SeedAutogenerateCommand(dialog); break;
    case IDM_SEED_CUSTOM: SeedCustomCommand(dialog); break;
    case IDM_SEED_STRONG: SeedStrongCommand(dialog); break;
    case IDM_UNDO:
    case IDM_CUT:
    case IDM_COPY:
    case IDM_PASTE:
    case IDM_CLEAR:
    case IDM_SELECT_ALL: EditCommand(dialog, id); break;
    case IDM_ALIGN_LEFT:
    case IDM_ALIGN_CENTER:
    case IDM_ALIGN_RIGHT: AlignmentCommand(dialog, id); break;
    case IDM_FONT: FontCommand(dialog); break;
    case IDM_SAVE: SaveCommand(dialog); break;
    case IDM_PRINT: PrintCommand(dialog); break;
    case IDM_HELP: HelpCommand(dialog); break;
    case IDM_ABOUT: AboutCommand(dialog); break;
    case IDM_EXIT: EndMainDialog(dialog); break;
    case IDC_DATABASE:
    case IDM_DATABASE: OpenDatabaseWindow(dialog); break;
    default: break;
  }
}

void OnNotify(HWND dialog, LPARAM lParam) {
  NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->code == EN_SELCHANGE && header->idFrom == IDC_OUTPUT) {
    RefreshEditButtons(dialog);
  } else if (header->code == TTN_NEEDTEXTA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
    if (const char* tip = TooltipFor(info->hdr.idFrom)) info->lpszText = const_cast<char*>(tip);
  } else if (header->code == TTN_NEEDTEXTW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    if (const char* tip = TooltipFor(info->hdr.idFrom)) {
      MultiByteToWideChar(CP_ACP, 0, tip, -1, info->szText, static_cast<int>(std::size(info->szText)));
      info->lpszText = info->szText;
    }
  }
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND:
      OnCommand(dialog, wParam);
      if (IsWindowVisible(dialog)) RefreshEditButtons(dialog);
      return 0;
    case WM_NOTIFY: OnNotify(dialog, lParam); return 0;
    case WM_CLIPBOARDUPDATE: RefreshEditButtons(dialog); return 0;
    case WM_DPICHANGED: OnDpiChanged(dialog, wParam, lParam); return 0;
    case WM_CLOSE: EndMainDialog(dialog); return 0;
    case WM_ENDSESSION: OnEndSession(dialog, wParam != 0); return 0;
    case WM_DESTROY:
      StopWindowKeys(dialog);
      RemoveClipboardFormatListener(dialog);
      CloseDatabaseWindow();
      return 0;
    case WM_NCDESTROY:
      delete MainDialogOf(dialog);
      SetWindowLongPtrA(dialog, DWLP_USER, 0);
      return 0;
    default: return 0;
  }
}

INT_PTR RunMainDialog(HINSTANCE module) {
  App().module = module;
  return DialogBoxParamA(module, "IDD_DIALOG1", nullptr, MainDialogProc, 0);
}

}  // namespace orvanta
