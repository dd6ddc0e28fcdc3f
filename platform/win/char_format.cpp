#include "platform/win/char_format.h"

#include <cstdint>
#include <cstring>

namespace orvanta {

void CopyFaceName(char* to, size_t capacity, const char* from) {
  size_t n = strnlen(from, capacity - 1);
  std::memcpy(to, from, n);
  to[n] = '\0';
}

void LogFontFromCharFormat(const CHARFORMATA& cf, int pixelsPerInch, LOGFONTA& lf) {
  // Twips to pixels in unsigned arithmetic (64-bit product, truncated), then
  // negated. The size is the height's magnitude: Wine's rich edit reports a
  // font given by WM_SETFONT with a negative height, which taken as unsigned
  // would ask for a font millions of pixels high.
  const uint32_t twips = cf.yHeight < 0 ? 0u - static_cast<uint32_t>(cf.yHeight) : static_cast<uint32_t>(cf.yHeight);
  uint64_t pixels = static_cast<uint64_t>(twips) * static_cast<uint32_t>(pixelsPerInch) / 1440;
  lf.lfHeight = -static_cast<LONG>(static_cast<uint32_t>(pixels));
  lf.lfWeight = (cf.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (cf.dwEffects & CFE_ITALIC) ? 1 : 0;
  lf.lfUnderline = (cf.dwEffects & CFE_UNDERLINE) ? 1 : 0;
  lf.lfStrikeOut = (cf.dwEffects & CFE_STRIKEOUT) ? 1 : 0;
  lf.lfCharSet = cf.bCharSet;
  lf.lfPitchAndFamily = cf.bPitchAndFamily;
  CopyFaceName(lf.lfFaceName, sizeof lf.lfFaceName, cf.szFaceName);
}

}  // namespace orvanta
