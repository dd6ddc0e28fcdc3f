// Answers the modal dialogs and message boxes that a command opens, from
// inside their own modal loops. Queue the answers, then send the command.
//
// A thread-local CBT hook sees each new dialog (class #32770) as it is
// activated and posts it to a hidden message-only window; the next queued
// answer runs when the dialog's own loop dispatches that message. A 25 ms
// timer catches dialogs the hook missed. A dialog with no answer left is
// cancelled and counted, so a test never hangs on an unexpected dialog.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace uitest {

using Answer = std::function<void(HWND dialog)>;

// Read as UTF-16 and kept as UTF-8, so a file's real name can be looked for.
struct SeenDialog {
  std::string caption;
  std::string text;  // a message box's text (control 0xFFFF), else ""
};

class ModalAnswerer {
 public:
  ModalAnswerer();
  ~ModalAnswerer();
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  void Queue(Answer answer) { answers_.push_back(std::move(answer)); }
  // A dialog the test itself made (the modeless main dialog): never answered.
  void Ignore(HWND dialog) { handled_.insert(dialog); }
  size_t pending() const { return answers_.size(); }
  // Dialogs that appeared when no answer was queued (they were cancelled).
  int unexpected() const { return unexpected_; }
  // Every dialog seen, in order.
  const std::vector<SeenDialog>& seen() const { return seen_; }

 private:
  static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Handle(HWND dialog);
  void Poll();

  HHOOK hook_ = nullptr;
  HWND window_ = nullptr;
  std::deque<Answer> answers_;
  std::set<HWND> handled_;
  std::vector<SeenDialog> seen_;
  int unexpected_ = 0;
};

// Ready-made answers.
Answer PressButton(int id);  // WM_COMMAND of a button (IDOK, IDYES, 3011 …)
Answer CloseBox();           // WM_CLOSE, the caption's close box
Answer SetItemText(int id, const std::string& text, Answer then = nullptr);
// A common Save dialog: types the file name (UTF-8) and presses Save.
Answer SaveAs(const std::string& windowsPath);
// Runs `check` on the dialog, then `then`.
Answer Inspect(std::function<void(HWND)> check, Answer then);

std::string MessageBoxText(HWND dialog);  // UTF-8

}  // namespace uitest
