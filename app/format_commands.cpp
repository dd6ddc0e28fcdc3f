// Format > "&Font ": the Font dialog, preset from the character format at
// the Output editor's selection, and the chosen font applied to it.
#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <cstdint>
#include <cstring>

#include "app/app_state.h"
#include "app/commands.h"
#include "platform/win/char_format.h"

namespace orvanta {

namespace {

void ReadSelectionFormat(HWND editor, CHARFORMATA& cf) {
  cf.cbSize = sizeof cf;
  SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

// The LOGFONT the dialog starts from: the font at the editor's selection.
void PresetLogFont(HWND dialog, const CHARFORMATA& cf, LOGFONTA& lf) {
  HDC screen = GetDC(dialog);
  int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(dialog, screen);
  LogFontFromCharFormat(cf, pixelsPerInch, lf);
}

}  // namespace

void FontCommand(HWND dialog) {
  AppState& app = App();
  HWND output = OutputEditorOf(dialog);
  EditorRecords& records = app.editor;
  CHARFORMATA& cf = records.charFormat;
  ReadSelectionFormat(output, cf);
  PresetLogFont(dialog, cf, records.logFont);

  CHOOSEFONTA& choose = records.chooseFont;
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = dialog;
  choose.lpLogFont = &records.logFont;
  choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_FORCEFONTEXIST;
  choose.rgbColors = cf.crTextColor;
  if (!ChooseFontA(&choose)) {
    FocusBigScreen(dialog);
    return;
  }

  const LOGFONTA& lf = records.logFont;
  ReadSelectionFormat(output, cf);
  cf.dwEffects = 0;
  if (lf.lfStrikeOut) cf.dwEffects |= CFE_STRIKEOUT;
  if (lf.lfItalic) cf.dwEffects |= CFE_ITALIC;
  if (lf.lfUnderline) cf.dwEffects |= CFE_UNDERLINE;
  if (lf.lfWeight >= FW_BOLD) cf.dwEffects |= CFE_BOLD;
  cf.dwMask |= CFM_STRIKEOUT | CFM_ITALIC | CFM_UNDERLINE | CFM_BOLD | CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_OFFSET;
  cf.crTextColor = choose.rgbColors;
  cf.yHeight = choose.iPointSize * 2;  // tenths of a point to twips
  CopyFaceName(cf.szFaceName, sizeof cf.szFaceName, lf.lfFaceName);
  cf.cbSize = sizeof cf;
  SendMessageA(output, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  app.output.fontChosen = true;
}

}  // namespace orvanta
