#include "database/win/database_window.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <map>

#include "database/win/database_export.h"
#include "database/win/database_file.h"
#include "database/win/item_data_dialog.h"
#include "platform/win/clipboard.h"
#include "platform/win/display_scale.h"
#include "platform/win/messages.h"
#include "platform/win/window_parts.h"
#include "resources/resource.h"

namespace orvanta {

namespace {

// The one Password database window of the process, while it exists.
HWND openWindow = nullptr;

DatabaseWindow* RecordOf(HWND window) {
  return reinterpret_cast<DatabaseWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

constexpr char kClassName[] = "generic";
// Where the window's notices go once it has gone: the main dialog.
HWND noticeOwner = nullptr;

// Posted at creation: the notice of an unread part comes once the window shows.
constexpr UINT kShowUnreadPartNotice = WM_APP + 1;
// Posted when the user went back on a session end that the window held back.
constexpr UINT kShowSessionEndFailure = WM_APP + 2;

struct ColumnSpec {
  const char* header;
  int width;
};
constexpr ColumnSpec kColumns[kColumnCount] = {{"Password", 150}, {"Login", 150}, {"URL", 200}, {"Comments", 200}};

struct ButtonSpec {
  int id;
  ScaledPicture picture;
  int x;
  int width;
  const char* caption;  // not drawn (the bitmap is), but named for accessibility tools
};
constexpr ButtonSpec kAddItem{IDC_DB_ADD_ITEM, ORVANTA_SCALED_PICTURE(IDB_DB_ADD_ITEM), 15, 100, "Add Item"};
constexpr ButtonSpec kDeleteItem{IDC_DB_DELETE_ITEM, ORVANTA_SCALED_PICTURE(IDB_DB_DELETE_ITEM), 125, 100,
                                 "Delete Item"};
constexpr ButtonSpec kDeleteAll{IDC_DB_DELETE_ALL, ORVANTA_SCALED_PICTURE(IDB_DB_DELETE_ALL), 455, 100, "Delete All"};
constexpr ButtonSpec kPrintAll{IDC_DB_PRINT_ALL, ORVANTA_SCALED_PICTURE(IDB_DB_PRINT_ALL), 345, 100, "Print All"};
constexpr ButtonSpec kSaveAll{IDC_DB_SAVE_ALL, ORVANTA_SCALED_PICTURE(IDB_DB_SAVE_ALL), 235, 100, "Save All"};
constexpr ButtonSpec kClose{IDC_DB_CLOSE, ORVANTA_SCALED_PICTURE(IDB_DB_CLOSE), 565, 90, "Close"};
constexpr const ButtonSpec* kButtons[] = {&kAddItem, &kDeleteItem, &kDeleteAll, &kPrintAll, &kSaveAll, &kClose};

// Button images are loaded once for each scale and kept for the run: every
// opening of the window shares them.
HBITMAP ButtonImage(const ScaledPicture& picture, int dpi) {
  static std::map<int, HBITMAP> images;
  HBITMAP& image = images[PictureFor(picture, dpi)];
  if (!image) image = LoadPicture(GetModuleHandleA(nullptr), picture, dpi);
  return image;
}

// Places are pixels at 96 DPI, scaled to the window's.
void MakeButton(const DatabaseWindow& db, const ButtonSpec& spec) {
  auto px = [&db](int pixels) { return ScaleToDpi(pixels, db.dpi); };
  HWND button = MakeChild(db.window, 0, "button", spec.caption, WS_TABSTOP | BS_BITMAP | BS_LEFT, px(spec.x), px(414),
                          px(spec.width), px(24), spec.id);
  SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(ButtonImage(spec.picture, db.dpi)));
}

void MakeFonts(DatabaseWindow& db) {
  db.hintFont = MakeFont(16, 600, "MS Sans Serif", db.dpi);
  db.printFont = MakeFont(16, FW_NORMAL, "MS Sans Serif", db.dpi);
}

void OnCreate(DatabaseWindow& db, HWND window) {
  db.window = window;
  db.dpi = DpiOf(window);
  MakeFonts(db);
  auto px = [&db](int pixels) { return ScaleToDpi(pixels, db.dpi); };

  // A tab stop, so that the keyboard comes back to the Entries.
  db.list =
      MakeChild(window, 0, WC_LISTVIEWA, "", WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                px(15), px(25), px(642), px(380), 0);
  for (int i = 0; i < kColumnCount; ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = px(kColumns[i].width);
    column.pszText = const_cast<char*>(kColumns[i].header);
    column.iSubItem = i;
    SendMessageA(db.list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }

  MakeButton(db, kAddItem);
  MakeButton(db, kDeleteItem);

  db.hint = MakeChild(window, 0, "static", "Double-click password to copy to Clipboard.", SS_CENTER, px(15), px(5),
                      px(642), px(16), 0, db.hintFont);

  db.clipboardEdit = MakeChild(window, 0, "edit", "", WS_BORDER | WS_TABSTOP, px(15), px(338), px(170), px(20),
                               IDC_DB_CLIPBOARD_EDIT, db.hintFont);
  ShowWindow(db.clipboardEdit, SW_HIDE);

  MakeButton(db, kDeleteAll);
  MakeButton(db, kPrintAll);
  MakeButton(db, kSaveAll);
  MakeButton(db, kClose);

  HWND printEditor = MakeChild(window, WS_EX_DLGMODALFRAME, "richedit", "", WS_VSCROLL | WS_TABSTOP | ES_MULTILINE,
                               px(2), px(2), px(663), px(240), IDC_DB_PRINT_EDITOR, db.printFont);
  // No capacity: every Entry is printed.
  SendMessageA(printEditor, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  ShowWindow(printEditor, SW_HIDE);

  db.open = true;
  LoadDatabase(db);
  if (db.unreadPart) PostMessageA(window, kShowUnreadPartNotice, 0, 0);
}

int SelectedRow(HWND list) {
  return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// The row under a double-click, selected. The list has no full-row
// selection, so a first click on a Login, URL or Comments cell has cleared
// the selection by the time the double-click arrives.
int SelectRowAt(HWND list, POINT point) {
  LVHITTESTINFO hit{};
  hit.pt = point;
  const int row = static_cast<int>(SendMessageA(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (row < 0 || !(hit.flags & LVHT_ONITEM)) return -1;
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  return row;
}

// A double-click anywhere on a row copies that row's Password; so does
// Enter in the list, for the selected row. Enter is the list's NM_RETURN,
// which it sends for Enter alone: its LVN_ITEMACTIVATE follows a
// double-click as well, which has copied already. The password passes
// through the Clipboard edit and is taken out of it again at once.
void CopyPassword(const DatabaseWindow& db, const NMHDR& header) {
  SendMessageA(db.clipboardEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  const bool enter = header.code == static_cast<UINT>(NM_RETURN);
  if (header.hwndFrom != db.list || (!enter && header.code != static_cast<UINT>(NM_DBLCLK))) return;
  int row = SelectedRow(db.list);
  if (row < 0 && !enter) row = SelectRowAt(db.list, reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction);
  if (row < 0) return;
  char cell[kFieldWidth + 1] = "";
  LVITEMA item{};
  item.iSubItem = kColumnPassword;
  item.pszText = cell;
  item.cchTextMax = sizeof cell;
  const LRESULT length = SendMessageA(db.list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  // At most the 255 characters that the file keeps.
  const std::string_view text(cell, length > 0 ? std::min<size_t>(static_cast<size_t>(length), kTypedTextLimit) : 0);
  std::string password(TrimTrailingSpaces(text));
  SendMessageA(db.clipboardEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(password.c_str()));
  const bool copied = PutPasswordOnClipboard(db.window, password);
  SendMessageA(db.clipboardEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  SecureZeroMemory(cell, sizeof cell);
  SecureZeroMemory(password.data(), password.size());
  if (!copied) ReportCopyFailure(db.window);  // last: the record is not used after it
}

// The notices of a file operation, once the operation is over. `owner` is
// the window that stays, or the main dialog when the database window has
// gone; nothing may use the window's record after this.
void ShowOutcome(HWND owner, const FileOutcome& outcome) {
  if (!outcome.kept.empty()) ShowInformation(owner, outcome.kept);
  if (!outcome.failure.empty()) ShowFailure(owner, outcome.failure);
}

void DeleteItem(DatabaseWindow& db) {
  const int row = SelectedRow(db.list);
  if (row < 0) {
    ShowInformation(db.window, "You must to select Item.");
    return;
  }
  SendMessageA(db.list, LVM_DELETEITEM, row, 0);
  if (SendMessageA(db.list, LVM_GETITEMCOUNT, 0, 0) == 0) db.emptiedByUser = true;
}

// The file goes first: when it cannot, the list stays as it was.
void DeleteAll(DatabaseWindow& db) {
  const FileOutcome outcome = RemoveDatabaseFile(db);
  if (outcome.done()) SendMessageA(db.list, LVM_DELETEALLITEMS, 0, 0);
  ShowOutcome(db.window, outcome);
}

// The window goes without saving again on its way out.
void DestroySaved(DatabaseWindow& db) {
  db.savedOnClose = true;
  db.open = false;
  DestroyWindow(db.window);
}

// The Close button, Alt+F4, the taskbar's "Close window": saved before the
// window goes, so that a failed save leaves the Entries on screen instead of
// losing them.
void CloseWindow(DatabaseWindow& db) {
  HWND window = db.window;
  const FileOutcome outcome = SaveDatabase(db);
  if (outcome.done()) DestroySaved(db);  // the record is gone from here on
  ShowOutcome(outcome.done() ? noticeOwner : window, outcome);
}

void OnCommand(DatabaseWindow& db, WPARAM wParam) {
  switch (wParam) {
    case IDC_DB_ADD_ITEM: RunItemDataDialog(db.window); break;
    case IDC_DB_DELETE_ITEM: DeleteItem(db); break;
    case IDC_DB_DELETE_ALL: DeleteAll(db); break;
    case IDC_DB_PRINT_ALL: PrintDatabase(db); break;
    case IDC_DB_SAVE_ALL: ExportDatabase(db); break;
    case IDC_DB_CLOSE: CloseWindow(db); break;
    default: break;
  }
}

// Logoff, restart, shutdown: the Entries are saved while Windows asks. When
// they cannot be, the session end is held back with the reason, which
// Windows shows; the window says it again if the user goes back.
BOOL OnQueryEndSession(DatabaseWindow& db) {
  const FileOutcome outcome = SaveDatabase(db);
  if (outcome.done()) return TRUE;
  db.sessionEndFailure = outcome.failure;
  ShutdownBlockReasonCreate(db.window, L"The password database could not be saved.");
  return FALSE;
}

void OnEndSession(DatabaseWindow& db, bool ending) {
  if (ending) {
    // Held back in vain (the user chose to end anyway): one more try.
    if (!db.sessionEndFailure.empty()) SaveDatabase(db);
    db.savedOnClose = true;
    return;
  }
  ShutdownBlockReasonDestroy(db.window);
  if (!db.sessionEndFailure.empty()) PostMessageA(db.window, kShowSessionEndFailure, 0, 0);
}

void ShowSessionEndFailure(DatabaseWindow& db) {
  const std::string text =
      "Windows was about to end the session, but the database could not be saved.\n\n" + db.sessionEndFailure;
  db.sessionEndFailure.clear();
  ShowFailure(db.window, text);
}

// WM_DPICHANGED: the window moved to a monitor of another scale.
void OnDpiChanged(DatabaseWindow& db, WPARAM wParam, LPARAM lParam) {
  db.dpi = FollowDpiChange(db.window, wParam, lParam, db.dpi);
  const HFONT oldFonts[] = {db.hintFont, db.printFont};
  MakeFonts(db);
  for (HWND control : {db.hint, db.clipboardEdit})
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(db.hintFont), TRUE);
  SendDlgItemMessageA(db.window, IDC_DB_PRINT_EDITOR, WM_SETFONT, reinterpret_cast<WPARAM>(db.printFont), FALSE);
  for (HFONT font : oldFonts) DeleteObject(font);
  for (int i = 0; i < kColumnCount; ++i)
    SendMessageA(db.list, LVM_SETCOLUMNWIDTH, i, ScaleToDpi(kColumns[i].width, db.dpi));
  for (const ButtonSpec* spec : kButtons)
    SendDlgItemMessageA(db.window, spec->id, BM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(ButtonImage(spec->picture, db.dpi)));
}

void OnDestroy(DatabaseWindow& db) {
  // Any way the window goes (Close, the end of the program) keeps the
  // Entries. Cleared first: a failure is now reported without an owner.
  db.open = false;
  if (db.savedOnClose) return;
  const FileOutcome outcome = SaveDatabase(db);
  ShowOutcome(nullptr, outcome);
}

void OnFinalDestroy(HWND window, DatabaseWindow* db) {
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  if (openWindow == window) openWindow = nullptr;
  // The children that used the fonts are gone by now.
  DeleteObject(db->hintFont);
  DeleteObject(db->printFont);
  delete db;
}

LRESULT CALLBACK DatabaseWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The record lives from the window's first message to its last.
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new DatabaseWindow));
    openWindow = window;
  }
  DatabaseWindow* db = RecordOf(window);
  if (!db) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: OnCreate(*db, window); return 0;
    case WM_DPICHANGED: OnDpiChanged(*db, wParam, lParam); return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetStockObject(LTGRAY_BRUSH));
    case WM_NOTIFY:
      // TRUE: no LVN_DELETEITEM for each of thousands of rows.
      if (reinterpret_cast<const NMHDR*>(lParam)->code == LVN_DELETEALLITEMS) return TRUE;
      CopyPassword(*db, *reinterpret_cast<const NMHDR*>(lParam));
      break;
    case WM_ACTIVATE: KeepFocusOnActivation(window, wParam, db->focus); return 0;
    case kShowUnreadPartNotice: ShowInformation(window, UnreadPartNotice(*db)); return 0;
    case kShowSessionEndFailure: ShowSessionEndFailure(*db); return 0;
    case WM_COMMAND: OnCommand(*db, wParam); return 0;
    case WM_CLOSE: CloseWindow(*db); return 0;
    case WM_QUERYENDSESSION: return OnQueryEndSession(*db);
    case WM_ENDSESSION: OnEndSession(*db, wParam != 0); return 0;
    case WM_DESTROY: OnDestroy(*db); return 0;
    case WM_NCDESTROY: OnFinalDestroy(window, db); break;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

DatabaseWindow* FindDatabaseWindow() {
  DatabaseWindow* db = openWindow ? RecordOf(openWindow) : nullptr;
  return db && db->open ? db : nullptr;
}

void OpenDatabaseWindow(HWND mainDialog) {
  noticeOwner = mainDialog;
  if (FindDatabaseWindow()) return;  // not even brought to the front
  RegisterWindowClass(kClassName, DatabaseWindowProc);
  // Placed and sized as at 96 DPI, scaled to the screen's DPI.
  const int dpi = DpiOf(nullptr);
  CreateWindowExA(0, kClassName, "Database", WS_VISIBLE | WS_BORDER, ScaleToDpi(56, dpi), ScaleToDpi(87, dpi),
                  ScaleToDpi(673, dpi), ScaleToDpi(475, dpi), nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void CloseDatabaseWindow() {
  if (openWindow) DestroyWindow(openWindow);
}

bool CloseDatabaseWindowAtExit(HWND mainDialog) {
  DatabaseWindow* db = FindDatabaseWindow();
  if (!db) return true;
  const FileOutcome outcome = SaveDatabase(*db);
  if (outcome.done()) {
    DestroySaved(*db);
    ShowOutcome(mainDialog, outcome);
    return true;
  }
  // Asked on behalf of the main dialog, which cannot be used meanwhile; the
  // database window can, so its record is looked up again afterwards.
  if (!AskYesNo(mainDialog,
                outcome.failure + "\n\nThe database could not be saved. End Orvanta anyway? Its Entries will be lost."))
    return false;
  if ((db = FindDatabaseWindow())) DestroySaved(*db);
  return true;
}

void DatabaseSessionEnds() {
  if (DatabaseWindow* db = FindDatabaseWindow()) OnEndSession(*db, true);
}

bool AppendEntry(const DatabaseWindow& db, const Entry& entry) {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(SendMessageA(db.list, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = const_cast<char*>(entry.password.c_str());
  const LRESULT row = SendMessageA(db.list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  if (row < 0) return false;
  for (int column = kColumnLogin; column < kColumnCount; ++column) {
    LVITEMA sub{};
    sub.iSubItem = column;
    sub.pszText = const_cast<char*>(FieldOf(entry, column).c_str());
    SendMessageA(db.list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
  }
  return true;
}

std::vector<Entry> ListEntries(const DatabaseWindow& db) {
  std::vector<Entry> entries;
  const int rows = static_cast<int>(SendMessageA(db.list, LVM_GETITEMCOUNT, 0, 0));
  entries.reserve(static_cast<size_t>(rows));
  char cell[kFieldWidth + 1];
  for (int row = 0; row < rows; ++row) {
    Entry& entry = entries.emplace_back();
    for (int column = 0; column < kColumnCount; ++column) {
      LVITEMA item{};
      item.iSubItem = column;
      item.pszText = cell;
      item.cchTextMax = sizeof cell;
      cell[0] = '\0';
      const LRESULT length = SendMessageA(db.list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
      FieldOf(entry, column).assign(cell, length > 0 ? static_cast<size_t>(length) : 0);
    }
  }
  return entries;
}

}  // namespace orvanta
