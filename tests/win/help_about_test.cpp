// Help and About on the real main dialog: where each leaves the program.
#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/editor_commands.h"
#include "platform/utf8_text.h"
#include "resources/resource.h"
#include "support/main_dialog_fixture.h"

using orvanta::Utf8FromWide;
using orvanta::WideFromUtf8;

namespace {

// What the program hands outside, kept as UTF-8.
std::vector<std::string> g_opened;
HINSTANCE WINAPI RecordOpen(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
  g_opened.push_back((verb ? Utf8FromWide(verb) : "(no verb)") + " " + (file ? Utf8FromWide(file) : ""));
  return reinterpret_cast<HINSTANCE>(33);
}
struct HelpCall {
  HWND owner;
  std::string file;
  UINT command;
};
std::vector<HelpCall> g_help;
BOOL WINAPI RecordHelp(HWND owner, LPCWSTR file, UINT command, ULONG_PTR) {
  g_help.push_back({owner, file ? Utf8FromWide(file) : "", command});
  return TRUE;
}
// No program set up for web pages, no help viewer: both refuse.
HINSTANCE WINAPI RefuseOpen(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) {
  return reinterpret_cast<HINSTANCE>(SE_ERR_NOASSOC);
}
BOOL WINAPI RefuseHelp(HWND, LPCWSTR, UINT, ULONG_PTR) { return FALSE; }
DWORD Windows7() { return 6; }
DWORD Windows10() { return 10; }
std::string g_folder;  // UTF-8
std::filesystem::path TestFolder() { return WideFromUtf8(g_folder); }

// The folder of this test program, where the build puts orv.hlp and orv.html.
std::string BuildFolder() {
  wchar_t program[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  const std::string path = Utf8FromWide(program);
  return path.substr(0, path.find_last_of('\\') + 1);
}

class OutsideCallsTest : public MainDialogTest {
 protected:
  void SetUp() override {
    MainDialogTest::SetUp();
    saved_ = orvanta::Outside();
    orvanta::Outside().winHelp = RecordHelp;
    orvanta::Outside().shellExecute = RecordOpen;
    g_opened.clear();
    g_help.clear();
  }
  void TearDown() override {
    orvanta::Outside() = saved_;
    MainDialogTest::TearDown();
  }
  orvanta::OutsideCalls saved_{};
};

}  // namespace

TEST_F(OutsideCallsTest, AboutNoOpensNothing) {
  answers_.Queue(uitest::PressButton(IDNO));
  Command(IDM_ABOUT);
  ASSERT_EQ(answers_.seen().size(), 1u);
  const std::string& text = answers_.seen()[0].text;
  EXPECT_EQ(answers_.seen()[0].caption, "Orvanta");
  EXPECT_EQ(text.rfind("Orvanta " ORVANTA_VERSION, 0), 0u) << text;
  EXPECT_NE(text.find("Contact"), std::string::npos) << text;
  const std::string ending = "\n\n     Would you like to go to the Homepage now?";
  ASSERT_GE(text.size(), ending.size());
  EXPECT_EQ(text.substr(text.size() - ending.size()), ending) << text;
  EXPECT_TRUE(g_opened.empty());
}

TEST_F(OutsideCallsTest, AboutYesOpensTheHomePage) {
  answers_.Queue(uitest::PressButton(IDYES));
  Command(IDM_ABOUT);
  ASSERT_EQ(g_opened.size(), 1u);
  EXPECT_EQ(g_opened[0], std::string("(no verb) ") + orvanta::kHomePage);
}

// Wine reports Windows 7, where the .hlp viewer exists; Windows 10 has none.
TEST_F(OutsideCallsTest, HelpOpensOrvHlpBeforeWindows10AndOrvHtmlFromWindows10On) {
  const std::string folder = BuildFolder();

  Command(IDM_HELP);
  ASSERT_EQ(g_help.size(), 1u) << "the system's own version, under Wine 6.1";
  EXPECT_EQ(g_help[0].file, folder + "orv.hlp");
  EXPECT_EQ(g_help[0].file.substr(1, 2), ":\\") << "a full path";
  EXPECT_EQ(g_help[0].command, static_cast<UINT>(HELP_CONTENTS));
  EXPECT_EQ(g_help[0].owner, dialog());
  EXPECT_TRUE(uitest::FileExists(g_help[0].file)) << "the build puts orv.hlp there";
  EXPECT_TRUE(g_opened.empty());

  orvanta::Outside().windowsMajorVersion = Windows10;
  Command(IDM_HELP);
  EXPECT_EQ(g_help.size(), 1u);
  EXPECT_EQ(g_opened, std::vector<std::string>{"open " + folder + "orv.html"});
  EXPECT_TRUE(uitest::FileExists(folder + "orv.html")) << "the build puts orv.html there";

  orvanta::Outside().windowsMajorVersion = Windows7;
  Command(IDM_HELP);
  EXPECT_EQ(g_help.size(), 2u);
  EXPECT_EQ(g_opened.size(), 1u);
  EXPECT_EQ(answers_.seen().size(), 0u) << "nothing to say while the files are there";
}

TEST_F(OutsideCallsTest, HelpWithoutItsFileSaysWhichFileIsMissing) {
  g_folder = folder();  // the test's own empty folder
  orvanta::Outside().programFolder = TestFolder;
  std::vector<std::string> captions, texts;
  for (int i = 0; i < 2; ++i)
    answers_.Queue(uitest::Inspect(
        [&](HWND box) {
          captions.push_back(uitest::Text(box));
          texts.push_back(uitest::MessageBoxText(box));
        },
        uitest::PressButton(IDOK)));
  orvanta::Outside().windowsMajorVersion = Windows7;
  Command(IDM_HELP);
  orvanta::Outside().windowsMajorVersion = Windows10;
  Command(IDM_HELP);
  EXPECT_EQ(captions, (std::vector<std::string>{"Orvanta", "Orvanta"}));
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_NE(texts[0].find(folder() + "orv.hlp"), std::string::npos) << texts[0];
  EXPECT_NE(texts[1].find(folder() + "orv.html"), std::string::npos) << texts[1];
  EXPECT_TRUE(g_help.empty());
  EXPECT_TRUE(g_opened.empty());
}

// The help viewer gets its file's name through the system's code page, which
// cannot spell the test folder's name.
TEST_F(OutsideCallsTest, HelpBesideAProgramInAFolderTheCodePageCannotSpellOpensItsFiles) {
  g_folder = folder();
  orvanta::Outside().programFolder = TestFolder;
  for (const char* name : {"orv.hlp", "orv.html"})
    ASSERT_TRUE(CopyFileW(WideFromUtf8(BuildFolder() + name).c_str(), WideFromUtf8(folder() + name).c_str(), TRUE));
  orvanta::Outside().windowsMajorVersion = Windows7;
  Command(IDM_HELP);
  orvanta::Outside().windowsMajorVersion = Windows10;
  Command(IDM_HELP);
  EXPECT_TRUE(answers_.seen().empty()) << answers_.seen().front().text;
  ASSERT_EQ(g_help.size(), 1u);
  char spelled[2 * MAX_PATH] = "";
  WideCharToMultiByte(CP_ACP, 0, WideFromUtf8(g_help[0].file).c_str(), -1, spelled, sizeof spelled, nullptr, nullptr);
  EXPECT_NE(GetFileAttributesA(spelled), INVALID_FILE_ATTRIBUTES) << "the viewer gets " << spelled;
  EXPECT_EQ(std::filesystem::path(spelled).filename(), "orv.hlp") << spelled;
  EXPECT_EQ(g_opened, std::vector<std::string>{"open " + folder() + "orv.html"});
}

TEST_F(OutsideCallsTest, HelpThatCannotBeOpenedSaysSo) {
  orvanta::Outside().shellExecute = RefuseOpen;
  orvanta::Outside().winHelp = RefuseHelp;
  for (int i = 0; i < 2; ++i) answers_.Queue(uitest::PressButton(IDOK));
  orvanta::Outside().windowsMajorVersion = Windows10;
  Command(IDM_HELP);
  orvanta::Outside().windowsMajorVersion = Windows7;
  Command(IDM_HELP);
  ASSERT_EQ(answers_.seen().size(), 2u) << "a help that never showed was passed over in silence";
  EXPECT_NE(answers_.seen()[0].text.find("orv.html\" could not be opened"), std::string::npos)
      << answers_.seen()[0].text;
  EXPECT_NE(answers_.seen()[1].text.find("orv.hlp\" could not be opened"), std::string::npos)
      << answers_.seen()[1].text;
}
