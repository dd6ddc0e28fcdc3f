#include "engine/win/custom_seed_dialog.h"

#include <commctrl.h>

#include <cstdint>

#include "platform/win/display_scale.h"
#include "resources/resource.h"

namespace orvanta {

namespace {

// The record of one opening of the dialog, held in DWLP_USER: what OK chose.
struct CustomSeedRecord {
  bool chosen = false;
  uint32_t seed = 0;
};

CustomSeedRecord* RecordOf(HWND dialog) {
  return reinterpret_cast<CustomSeedRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

struct DigitPlace {
  int box;      // the digit box (edit control)
  int upDown;   // its up-down control
  int x;        // pixels at 96 DPI
  int initial;  // the digit every opening starts from
  int32_t weight;
};

// Left to right: most significant digit first.
constexpr DigitPlace kDigits[] = {
    {3002, 4010, 30, 8, 100000000}, {3003, 4009, 56, 6, 10000000}, {3004, 4008, 82, 2, 1000000},
    {3005, 4007, 108, 7, 100000},   {3006, 4006, 133, 5, 10000},   {3007, 4005, 160, 3, 1000},
    {3008, 4004, 185, 9, 100},      {3009, 4003, 212, 4, 10},      {3010, 4002, 237, 1, 1},
};
constexpr int kDigitCount = sizeof kDigits / sizeof kDigits[0];

constexpr DWORD kUpDownStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_WRAP | UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_HORZ;

// Placed in pixels at 96 DPI, scaled to the dialog's.
void CreateUpDowns(HWND dialog) {
  const int dpi = DpiOf(dialog);
  for (const DigitPlace& d : kDigits) {
    HWND box = GetDlgItem(dialog, d.box);
    // Typing replaces the digit (the dialog selects a box's text when it
    // gets the focus) instead of adding a second one.
    SendMessageA(box, EM_LIMITTEXT, 1, 0);
    CreateUpDownControl(kUpDownStyle, ScaleToDpi(d.x, dpi), ScaleToDpi(50, dpi), ScaleToDpi(15, dpi),
                        ScaleToDpi(18, dpi), dialog, d.upDown,
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), box, 9, 0, d.initial);
  }
}

// The box's digit, or -1 when it holds anything but exactly one digit. Its
// text is checked as well as the up-down's answer: the up-down reads "07"
// or " 7" as a valid 7.
int DigitIn(HWND dialog, const DigitPlace& d) {
  char text[4] = "";
  int length = GetDlgItemTextA(dialog, d.box, text, sizeof text);
  if (length != 1 || text[0] < '0' || text[0] > '9') return -1;
  LRESULT reply = SendDlgItemMessageA(dialog, d.upDown, UDM_GETPOS, 0, 0);
  if (HIWORD(reply) != 0) return -1;  // the up-down could not read its buddy
  return LOWORD(reply);
}

void ReportBadDigit(HWND dialog, int position) {
  char text[160];
  wsprintfA(text, "Digit %d (counting from the left) must be a single digit from 0 to 9.", position);
  MessageBoxA(dialog, text, "Custom Seed", MB_OK | MB_ICONWARNING);
  HWND box = GetDlgItem(dialog, kDigits[position - 1].box);
  SetFocus(box);
  SendMessageA(box, EM_SETSEL, 0, -1);
}

// OK: the nine digits become the chosen seed, said in a "New Seed" box. A
// box that does not hold one digit is named and the dialog stays open, so a
// seed is never formed from a failed read.
void ReadCustomSeed(HWND dialog) {
  int digits[kDigitCount];
  for (int i = 0; i < kDigitCount; ++i) {
    digits[i] = DigitIn(dialog, kDigits[i]);
    if (digits[i] < 0) {
      ReportBadDigit(dialog, i + 1);
      return;
    }
  }
  int32_t seed = 0;
  for (int i = kDigitCount - 1; i >= 0; --i) seed += digits[i] * kDigits[i].weight;  // units first
  RecordOf(dialog)->seed = static_cast<uint32_t>(seed);
  RecordOf(dialog)->chosen = true;

  char text[256];
  wsprintfA(text, "%ld", static_cast<long>(seed));
  MessageBoxA(dialog, text, "New Seed", MB_OK | MB_ICONINFORMATION);
  EndDialog(dialog, 0);
}

}  // namespace

static INT_PTR CALLBACK CustomSeedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      CreateUpDowns(dialog);
      return TRUE;
    case WM_COMMAND:
      // Only clicks of the two buttons count: Enter (IDOK) and Escape
      // (IDCANCEL) leave the dialog as it is.
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;
      if (LOWORD(wParam) == IDC_SEED_OK) {
        ReadCustomSeed(dialog);
        return TRUE;
      }
      if (LOWORD(wParam) == IDC_SEED_CANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
    default: return FALSE;
  }
}

bool RunCustomSeedDialog(HWND owner, uint32_t* seed) {
  CustomSeedRecord record;
  DialogBoxParamA(GetModuleHandleA(nullptr), "IDD_DIALOG5", owner, CustomSeedDialogProc,
                  reinterpret_cast<LPARAM>(&record));
  if (record.chosen) *seed = record.seed;
  return record.chosen;
}

}  // namespace orvanta
