// Watches the clipboard as Windows' clipboard history does: a listener
// window (AddClipboardFormatListener) told once per clipboard opening, which
// reads what each change holds.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uitest {

struct ClipboardChange {
  std::string text;          // CF_TEXT
  std::wstring unicodeText;  // CF_UNICODETEXT, as Windows makes it from CF_TEXT
  // Which of "ExcludeClipboardContentFromMonitorProcessing",
  // "CanIncludeInClipboardHistory" and "CanUploadToCloudClipboard" were
  // there, each holding the DWORD 0.
  bool excluded = false, historyRefused = false, cloudRefused = false;
  bool Private() const { return excluded && historyRefused && cloudRefused; }
};

class ClipboardListener {
 public:
  ClipboardListener();
  ~ClipboardListener();
  ClipboardListener(const ClipboardListener&) = delete;
  ClipboardListener& operator=(const ClipboardListener&) = delete;

  // The changes told since the last call, after the pending messages.
  std::vector<ClipboardChange> TakeChanges();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  std::vector<ClipboardChange> changes_;
};

}  // namespace uitest
