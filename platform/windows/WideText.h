#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// UTF-8, as the rest of the program speaks, to and from the UTF-16 of Win32; or
// another code page (the ANSI one is 0, CP_ACP), as the history log is written in.
std::wstring Widen(std::string_view text, unsigned code_page = 65001);
std::string Narrow(std::wstring_view utf16, unsigned code_page = 65001);

// The text of a Win32 error code or HRESULT, without the trailing line end. A
// message with an insert ("%1 is not a valid Win32 application.") names
// `subject` there, the file or program the error is about; without one it says
// "the file".
std::string SystemMessage(unsigned long code, std::string_view subject = {});

// A system message's inserts (%1 to %99, with or without a !format!) replaced by
// `subject`, and its escapes (%%, %n, %r, %t, %0, ...) by what they stand for.
std::string FillInserts(std::string_view message, std::string_view subject);

}  // namespace quorvane
