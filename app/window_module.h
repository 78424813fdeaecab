#pragma once

#include "ui/paper/worksheet_file.h"

#include <string>

// The window lives in a module of its own, loaded only when the window opens
// or a worksheet is drawn, so that the command line starts with Qt Core alone:
// no Qt Widgets, Qt Gui or any library of theirs is loaded for --calc.
namespace tobarin {

// The module's one entry, called with main's arguments; it opens the window
// and returns the exit status when the window has closed. It calls
// `waitForFonts` once before it asks for the first font: the font
// configuration is read meanwhile on a thread of its own (runWindow).
inline constexpr char WindowEntry[] = "tobarin_window_main";
using WindowMain = int (*)(int argc, char **argv, void (*waitForFonts)());

// Loads the window module, found at the same place relative to the program
// as built and as installed (TOBARIN_WINDOW_MODULE), and runs the window.
// A module that cannot be loaded is reported on standard error, status 1.
[[nodiscard]] int runWindow(int argc, char **argv);

// Its entry for worksheets: writeWorksheet (ui/paper/worksheet_file.h), drawn with
// the window's typesetter.
inline constexpr char WorksheetEntry[] = "tobarin_write_worksheet";
using WorksheetWriter = int (*)(const practice::SetCode &code, const WorksheetOptions &options,
    const WorksheetFiles &files, std::string &wrote, std::string &error);

// Loads the module and writes the worksheet through it; a module that cannot
// be loaded gives 1 and says so in `error`.
[[nodiscard]] int writeWorksheetInModule(const practice::SetCode &code,
    const WorksheetOptions &options, const WorksheetFiles &files, std::string &wrote,
    std::string &error);

}  // namespace tobarin
