#include "support/main_dialog_fixture.h"

#include "app/main_dialog.h"
#include "engine/strong_random.h"

void MainDialogTest::SetUp() {
  folder_ = uitest::MakeTestFolder();
  dialog_ = CreateDialogParamA(orvanta::App().module, "IDD_DIALOG1", nullptr, orvanta::MainDialogProc, 0);
  ASSERT_NE(dialog_, nullptr) << "the main dialog could not be created";
  answers_.Ignore(dialog_);
  uitest::Pump();
}

void MainDialogTest::TearDown() {
  for (HWND hwnd : uitest::ThreadWindows(nullptr, false)) {
    char name[32] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (hwnd != dialog_ && (lstrcmpA(name, "popup") == 0 || lstrcmpA(name, "generic") == 0)) DestroyWindow(hwnd);
  }
  if (IsWindow(dialog_)) DestroyWindow(dialog_);
  uitest::Pump();
  EXPECT_EQ(answers_.pending(), 0u) << "queued answers were not used";
  EXPECT_EQ(answers_.unexpected(), 0) << "a dialog appeared that the test did not expect";
  EXPECT_TRUE(uitest::ThreadWindows("#32770", true).empty()) << "a dialog was left open";
  uitest::RemoveTestFolder(folder_);
}

std::string EngineBatch(const orvanta::GeneratorSettings& settings, int32_t seedMode, uint32_t tick, uint32_t state) {
  orvanta::Engine engine(settings);
  engine.SetRandomState(state);
  return engine.Generate(seedMode, tick);
}

testing::AssertionResult IsStrongBatch(const std::string& text, const orvanta::GeneratorSettings& settings,
                                       uint32_t tick) {
  const std::vector<std::string> passwords = Lines(text);
  if (passwords.size() != static_cast<size_t>(settings.quantity))
    return testing::AssertionFailure() << passwords.size() << " passwords";
  const std::string_view keys = orvanta::StrongAlphabet(settings.keySet, settings.caseOption);
  for (const std::string& p : passwords)
    if (p.size() != static_cast<size_t>(settings.length) || p.find_first_not_of(keys) != std::string::npos)
      return testing::AssertionFailure() << "\"" << p << "\" is not a password of " << settings.length << " of "
                                         << keys;
  if (text == EngineBatch(settings, orvanta::kSeedAutogenerate, tick))
    return testing::AssertionFailure() << "the clock's batch";
  return testing::AssertionSuccess();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> passwords;
  size_t start = 0;
  for (size_t end; (end = text.find("      \n", start)) != std::string::npos; start = end + 7)
    passwords.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "text after the last line end: " << text.substr(start);
  return passwords;
}
