#include "platform/windows/WideText.h"

#include <windows.h>

#include <cstdio>

namespace quorvane {

std::wstring Widen(std::string_view text, unsigned code_page) {
  if (text.empty()) return {};
  const int size =
      MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string Narrow(std::wstring_view utf16, unsigned code_page) {
  if (utf16.empty()) return {};
  const int size = WideCharToMultiByte(code_page, 0, utf16.data(), static_cast<int>(utf16.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(code_page, 0, utf16.data(), static_cast<int>(utf16.size()), narrow.data(),
                      size, nullptr, nullptr);
  return narrow;
}

std::string FillInserts(std::string_view message, std::string_view subject) {
  std::string text;
  for (std::size_t i = 0; i < message.size(); ++i) {
    const char c = message[i];
    if (c != '%' || i + 1 == message.size()) {
      text += c;
      continue;
    }
    const char next = message[++i];
    if (next >= '1' && next <= '9') {
      if (i + 1 < message.size() && message[i + 1] >= '0' && message[i + 1] <= '9') ++i;
      if (i + 1 < message.size() && message[i + 1] == '!') {
        const std::size_t close = message.find('!', i + 2);
        if (close != std::string_view::npos) i = close;
      }
      const bool starts_sentence =
          text.empty() || text.ends_with(". ") || text.ends_with('\n') || text.ends_with('\r');
      if (!subject.empty())
        text += subject;
      else
        text += starts_sentence ? "The file" : "the file";
    } else if (next == '0') {
      break;  // the message ends here, without a line end
    } else if (next == 'n' || next == 't') {
      text += ' ';  // one line for the box or the console
    } else if (next != 'r') {
      text += next;  // %%, %., %! and the like stand for the character itself
    }
  }
  return text;
}

std::string SystemMessage(unsigned long code, std::string_view subject) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08lX", code);
  return text.empty() ? std::string("error ") + hex
                      : FillInserts(Narrow(text), subject) + " (" + hex + ")";
}

}  // namespace quorvane
