#include "support/file_printer.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <sstream>

#include "support/ui.h"

namespace uitest {

namespace {

const char kPrinterName[] = "Orvanta Test File Printer";
const char kPpdPath[] = "C:\\orvanta-file-printer.ppd";

// A4 and Letter, 300 dpi, grey: all that Wine's driver needs for a device context.
const char kPpd[] =
    "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n*PCFileName: \"FILEPRN.PPD\"\n*Manufacturer: \"Generic\"\n"
    "*Product: \"(File printer)\"\n*ModelName: \"PostScript file printer\"\n*ShortNickName: \"File PS\"\n"
    "*NickName: \"PostScript file printer\"\n*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n"
    "*ColorDevice: False\n*DefaultColorSpace: Gray\n*TTRasterizer: Type42\n*LandscapeOrientation: Plus90\n"
    "*OpenUI *PageSize/Media Size: PickOne\n*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
    "*PageSize Letter/Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n*CloseUI: *PageSize\n"
    "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"18 18 577 824\"\n"
    "*ImageableArea Letter/Letter: \"18 18 594 774\"\n*DefaultPaperDimension: A4\n"
    "*PaperDimension A4/A4: \"595 842\"\n*PaperDimension Letter/Letter: \"612 792\"\n*DefaultResolution: 300dpi\n"
    "*DefaultFont: Courier\n*Font Courier: Standard \"(002.004S)\" Standard ROM\n"
    "*Font Helvetica: Standard \"(001.006S)\" Standard ROM\n*Font Times-Roman: Standard \"(001.007S)\" Standard ROM\n";

char* Mutable(const char* text) { return const_cast<char*>(text); }

std::string UnixPath(const std::string& windowsPath) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return "";
  std::wstring wide(windowsPath.begin(), windowsPath.end());
  char* unix = toUnix(wide.c_str());
  if (!unix) return "";
  std::string path = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return path;
}

// Runs a shell command line. Wine starts a Unix program with no process
// handle to wait for, so the shell leaves its exit status in a file, renamed
// into place when complete, and this waits for that file.
int RunShell(const std::string& script, const std::string& scratch) {
  const std::string done = scratch + "shell-status.txt";
  DeleteFileA(done.c_str());
  const std::string status = UnixPath(done);
  std::string command =
      "/bin/sh -c \"" + script + "; echo $? >'" + status + ".tmp'; mv '" + status + ".tmp' '" + status + "'\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  if (process.hThread) CloseHandle(process.hThread);
  if (process.hProcess) CloseHandle(process.hProcess);
  for (int waited = 0; !FileExists(done) && waited < 60000; waited += 10) Sleep(10);
  return FileExists(done) ? std::atoi(ReadFile(done).c_str()) : -1;
}

std::string Quoted(const std::string& windowsPath) { return "'" + UnixPath(windowsPath) + "'"; }

// Ghostscript on `postScript`, its output file `output` (standard error when `output` is empty).
bool RunGhostscript(const std::string& arguments, const std::string& postScript, const std::string& output,
                    const std::string& scratch) {
  std::string script = "exec /usr/bin/gs -q -dNOPAUSE -dBATCH -dSAFER " + arguments + " ";
  script += output.empty() ? Quoted(postScript) + " 2>" + Quoted(scratch + "gs-errors.txt")
                           : "-sOutputFile=" + Quoted(output) + " " + Quoted(postScript);
  return RunShell("(" + script + ")", scratch) == 0;
}

// One character of txtwrite's XML: "&#xa0;" is its space.
char Decoded(const std::string& c) {
  if (c.size() == 1) return c[0];
  const std::pair<const char*, char> named[] = {
      {"&amp;", '&'},   {"&lt;", '<'},   {"&gt;", '>'},  {"&quot;", '"'},
      {"&apos;", '\''}, {"&#xa0;", ' '}, {"&#xad;", '-'}};  // the glyph "hyphen" reads as a soft hyphen
  for (const auto& [entity, value] : named)
    if (c == entity) return value;
  if (c.rfind("&#x", 0) == 0) return static_cast<char>(std::strtol(c.c_str() + 3, nullptr, 16));
  return '?';
}

// txtwrite's lines with their character positions (-dTextFormat=1).
std::vector<std::vector<PrintedLine>> ParseTextPages(const std::string& xml) {
  std::vector<std::vector<PrintedLine>> pages;
  PrintedLine line;
  std::istringstream in(xml);
  for (std::string row; std::getline(in, row);) {
    if (row.find("<page") != std::string::npos) pages.emplace_back();
    double x0, y0, x1, y1;
    const size_t c = row.find(" c=\"");
    if (row.find("<char ") != std::string::npos && c != std::string::npos &&
        std::sscanf(row.c_str() + row.find("bbox=\""), "bbox=\"%lf %lf %lf %lf", &x0, &y0, &x1, &y1) == 4) {
      const char ch = Decoded(row.substr(c + 4, row.rfind('"') - c - 4));
      if (ch != ' ' || !line.text.empty()) {
        line.text += ch;
        line.x.push_back(x0);
        if (ch != ' ') line.right = x1;
      }
    }
    if (row.find("</line>") != std::string::npos) {
      while (!line.text.empty() && line.text.back() == ' ') {
        line.text.pop_back();
        line.x.pop_back();
      }
      if (!line.text.empty() && !pages.empty()) pages.back().push_back(line);
      line = {};
    }
  }
  return pages;
}

}  // namespace

FilePrinter::FilePrinter(const std::string& output) : output_(output) {
  WriteFile(kPpdPath, kPpd);
  DRIVER_INFO_3A driver{};
  driver.cVersion = 3;
  driver.pName = Mutable(kPrinterName);
  driver.pDriverPath = Mutable("wineps.drv");
  driver.pConfigFile = Mutable("wineps.drv");
  driver.pDataFile = Mutable(kPpdPath);
  driver.pDefaultDataType = Mutable("RAW");
  // Both environments, so that the 32-bit and the 64-bit program find it.
  for (const char* environment : {"Windows x64", "Windows NT x86"}) {
    driver.pEnvironment = Mutable(environment);
    AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY);
  }
  PRINTER_INFO_2A printer{};
  printer.pPrinterName = Mutable(kPrinterName);
  printer.pPortName = Mutable(output_.c_str());  // a path: each job is written to that file
  printer.pDriverName = Mutable(kPrinterName);
  printer.pPrintProcessor = Mutable("winprint");
  printer.pDatatype = Mutable("RAW");
  printer.pShareName = printer.pComment = printer.pLocation = printer.pSepFile = printer.pParameters = Mutable("");
  if (HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer))) ClosePrinter(added);
  HDC dc = SetDefaultPrinterA(kPrinterName) ? CreateDc() : nullptr;
  ready_ = dc != nullptr;
  if (dc) DeleteDC(dc);
  DeleteFileA(output_.c_str());
}

HDC FilePrinter::CreateDc() const { return CreateDCA("WINSPOOL", kPrinterName, nullptr, nullptr); }

std::vector<std::string> PrintableLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const size_t first = line.find_first_not_of(" \r\t");
    if (first == std::string::npos) continue;
    lines.push_back(line.substr(first, line.find_last_not_of(" \r\t") - first + 1));
  }
  return lines;
}

std::vector<std::string> PrintedPages::Lines() const {
  std::vector<std::string> lines;
  for (const auto& page : pages)
    for (const PrintedLine& line : page) lines.push_back(line.text);
  return lines;
}

PrintedPages ReadPrinted(const std::string& postScript, const std::string& scratch, int inkPages) {
  PrintedPages printed;
  const std::string text = scratch + "printed.xml";
  EXPECT_TRUE(RunGhostscript("-sDEVICE=txtwrite -dTextFormat=1", postScript, text, scratch))
      << "Ghostscript could not read " << postScript;
  // The bbox device writes its boxes to standard error.
  EXPECT_TRUE(RunGhostscript("-sDEVICE=bbox -dLastPage=" + std::to_string(inkPages), postScript, "", scratch));
  printed.pages = ParseTextPages(ReadFile(text));
  std::istringstream in(ReadFile(scratch + "gs-errors.txt"));
  for (std::string line; std::getline(in, line);) {
    Box box{};
    if (std::sscanf(line.c_str(), "%%%%HiResBoundingBox: %lf %lf %lf %lf", &box.left, &box.bottom, &box.right,
                    &box.top) == 4)
      printed.ink.push_back(box);
  }
  EXPECT_EQ(std::min(printed.pages.size(), static_cast<size_t>(inkPages)), printed.ink.size())
      << "the text and the ink disagree on the pages";
  return printed;
}

bool DrawFirstPage(const std::string& postScript, const std::string& png, int dpi) {
  return RunGhostscript("-sDEVICE=png16m -dFirstPage=1 -dLastPage=1 -r" + std::to_string(dpi), postScript, png,
                        png.substr(0, png.find_last_of('\\') + 1));
}

}  // namespace uitest
