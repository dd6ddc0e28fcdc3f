// Between a rich edit character format and the GDI description of its font.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <cstddef>

namespace orvanta {

// Copies a face name, cut to fit `capacity` with its terminating zero.
void CopyFaceName(char* to, size_t capacity, const char* from);

// Sets height, weight, italic, underline, strike-out, character set, pitch
// and family and face of `lf` from `cf`, for a device of `pixelsPerInch`;
// other fields of `lf` stay as they are.
void LogFontFromCharFormat(const CHARFORMATA& cf, int pixelsPerInch, LOGFONTA& lf);

}  // namespace orvanta
