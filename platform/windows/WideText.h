#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// UTF-8, as the rest of the program speaks, to and from the UTF-16 of Win32.
std::wstring Widen(std::string_view utf8);
// UTF-16 in UTF-8, or in another code page (the ANSI one is 0, CP_ACP).
std::string Narrow(std::wstring_view utf16, unsigned code_page = 65001);

// The text of a Win32 error code or HRESULT, without the trailing line end.
std::string SystemMessage(unsigned long code);

}  // namespace quorvane
