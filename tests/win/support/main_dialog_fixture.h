// A test that runs on the real main dialog, created modeless with the
// program's own dialog procedure, in a folder of its own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "resources/resource.h"
#include "support/modal.h"
#include "support/ui.h"

// The batch the engine makes with `settings` from the Random state `state`,
// seeded by `seedMode` from `tick`: what Generate must show.
std::string EngineBatch(const orvanta::GeneratorSettings& settings, int32_t seedMode, uint32_t tick,
                        uint32_t state = 0);

// The passwords of a batch's text, each line without its line end; a
// failure when text follows the last line end.
std::vector<std::string> Lines(const std::string& text);

// Whether `text` is a strong batch of `settings`: their quantity of
// passwords of their length, every character one of the key set's, and not
// the batch the clock's seeding would have made at `tick`.
testing::AssertionResult IsStrongBatch(const std::string& text, const orvanta::GeneratorSettings& settings,
                                       uint32_t tick);

class MainDialogTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND dialog() const { return dialog_; }
  HWND output() const { return orvanta::OutputEditorOf(dialog_); }
  HWND toolbar() const { return orvanta::ToolbarOf(dialog_); }
  // The Big-screen window as the user sees it, and its editor; nullptr while it is closed.
  HWND bigScreen() const { return uitest::FindThreadWindow("popup", "Select symbol"); }
  HWND bigEditor() const { return GetDlgItem(bigScreen(), IDC_BIG_EDITOR); }
  std::string OutputText() const { return uitest::Text(output()); }
  void Click(int id) { uitest::Click(dialog_, id); }
  void Command(int id) { uitest::Command(dialog_, id); }
  void Generate() { Click(IDC_GENERATE); }
  // A key on the focused control, through the main dialog's modal loop (uitest::PressKey).
  void Key(WPARAM key, WPARAM modifier = 0) { uitest::PressKey(dialog_, key, modifier); }
  // The folder of this test, with a trailing backslash.
  const std::string& folder() const { return folder_; }

  uitest::ModalAnswerer answers_;

 private:
  HWND dialog_ = nullptr;
  std::string folder_;
};
