#pragma once

#include <windows.h>

#include <streambuf>
#include <string>

namespace quorvane::win32 {

// Standard output of a GUI program: the file or pipe it was redirected to, or
// else, when `may_attach`, the console of the program that started it
// (AttachConsole), which gets the text as UTF-16 so any character shows. Nothing
// when there is neither. Written through a std::ostream over it.
class ConsoleOutput : public std::streambuf {
 public:
  // STD_OUTPUT_HANDLE or STD_ERROR_HANDLE.
  explicit ConsoleOutput(DWORD which, bool may_attach = true);
  // Lets go of the console it attached to: a console held keeps its Ctrl+C and
  // its closing for this program too.
  ~ConsoleOutput() override;
  ConsoleOutput(const ConsoleOutput&) = delete;
  ConsoleOutput& operator=(const ConsoleOutput&) = delete;

  bool available() const { return handle_ != nullptr; }

 private:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* data, std::streamsize size) override;
  int sync() override;
  bool Write(const char* data, std::size_t size);

  HANDLE handle_ = nullptr;
  bool console_ = false;
  bool attached_ = false;  // by this object, which frees it
  std::string pending_;    // UTF-8 not yet whole for the console
};

}  // namespace quorvane::win32
