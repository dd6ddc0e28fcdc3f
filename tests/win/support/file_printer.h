// A printer for the tests: Wine's PostScript driver writing each job to a
// file, made the default printer of the test prefix, and the printed pages
// read back with Ghostscript (started from the test, as Wine starts a Unix
// program like any other).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uitest {

// Installs the printer (or points it at a new file) and makes it the
// default. `output` is the Windows path of the PostScript file each job
// replaces; its folder must exist.
class FilePrinter {
 public:
  explicit FilePrinter(const std::string& output);
  bool ready() const { return ready_; }
  const std::string& output() const { return output_; }
  // The printer's device context, as a print job gets it (the caller deletes it).
  HDC CreateDc() const;

 private:
  std::string output_;
  bool ready_ = false;
};

struct Box {
  double left, bottom, right, top;  // points, from the page's lower left corner
};

// A printed line: its characters from the first that is not blank to the
// last, and where each begins (points from the page's left edge).
struct PrintedLine {
  std::string text;
  std::vector<double> x;
  double right = 0;  // where the last character ends
};

// What a PostScript file shows.
struct PrintedPages {
  std::vector<std::vector<PrintedLine>> pages;  // each page's non-blank lines, top to bottom
  std::vector<Box> ink;                         // per page read for ink: the box around it (blank: all 0)
  // Every page's line texts, in order.
  std::vector<std::string> Lines() const;
};
// Reads `postScript` back, the ink of its first `inkPages` pages (finding
// the ink takes Ghostscript far longer than the text); `scratch` is a folder
// for Ghostscript's files. Fails the current test when Ghostscript cannot run.
PrintedPages ReadPrinted(const std::string& postScript, const std::string& scratch, int inkPages = 1000000);

// A text's lines as ReadPrinted gives them: outer blanks trimmed, blank lines left out.
std::vector<std::string> PrintableLines(const std::string& text);

// The PNG of page 1 at `dpi`, for looking at.
bool DrawFirstPage(const std::string& postScript, const std::string& png, int dpi);

}  // namespace uitest
