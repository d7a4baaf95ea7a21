#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::win32 {

// What both Windows programs (Quorvane.exe and its console companion
// Quorvane.com) do before anything else.

// Libraries from the system folder only, and the log's ANSI code page for
// reports.
void PrepareProcess();

// The program's arguments in UTF-8, without its own name.
std::vector<std::string> Arguments();

// The file of the running program.
std::filesystem::path ProgramFile();

// A command line that starts `program` with the arguments of `command_line` (a
// whole command line, whose first word names the program that got it) exactly as
// they were written: taken over as text, never split and quoted again.
std::wstring CommandLineFor(std::wstring_view program, std::wstring_view command_line);

// The report options of the command line: without the single-instance check, so
// they work beside a running copy. Their text goes to the standard output and
// error, else to the console of the program that started this one; an error with
// neither shows in a box, and that console is let go again. Nothing when the
// window should run, decided before any console is taken.
std::optional<int> RunReportOptions(const std::vector<std::string>& arguments);

}  // namespace quorvane::win32
