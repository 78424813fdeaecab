#pragma once

// The program's command line: calculating without a window (--calc), with the
// working (--steps), in improper form (--improper) or checking an answer
// (--check); listing a practice set (--practice ... --list) or writing its
// worksheet (--worksheet, drawn through ui/paper/worksheet_file.h); and --help and
// --version. Qt Core only but for the worksheet: no display is needed.
namespace tobarin {

// True when the arguments are for the command line rather than the window:
// any argument that is not one of Qt's own options for the window
// (-platform NAME, -style NAME, -reverse...), each with its value. A typo
// (-calc) or a bare problem (1+1) is the command line's to refuse.
[[nodiscard]] bool wantsCommandLine(int argc, char **argv);

// Runs the command line and gives the exit status: 0 done (or the checked
// answer is right), 1 the problem has no answer (the denominator message or a
// run-time error), the worksheet's file cannot be written, the practice
// record cannot be kept, or standard output or standard error cannot be
// written (said on the other); 2 the command line or EXPR or ANSWER cannot be
// read, 3 the checked answer has the right value but is not finished, 4 it is
// wrong. What it echoes of its arguments is cut and escaped (echoed,
// engine/number/written_number.h); a file name is used as the bytes given.
[[nodiscard]] int runCommandLine(int argc, char **argv);

}  // namespace tobarin
