// A web browser for the tests: appends the command line it was started with to
// the file named by FAKE_BROWSER_RECORD, one line per start, and ends, with the
// status FAKE_BROWSER_STATUS when that is set. Also a stand-in for Quorvane.exe:
// with FAKE_BROWSER_SECONDS it runs that long first, then appends "ended".
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const char* record = std::getenv("FAKE_BROWSER_RECORD");
  if (!record) return 2;
  std::FILE* out = std::fopen(record, "a");
  if (!out) return 3;
  for (int i = 1; i < argc; ++i) std::fprintf(out, i > 1 ? " %s" : "%s", argv[i]);
  std::fprintf(out, "\n");
  std::fclose(out);
  if (const char* seconds = std::getenv("FAKE_BROWSER_SECONDS")) {
    Sleep(static_cast<DWORD>(std::atoi(seconds)) * 1000);
    if (std::FILE* again = std::fopen(record, "a")) {
      std::fprintf(again, "ended\n");
      std::fclose(again);
    }
  }
  const char* status = std::getenv("FAKE_BROWSER_STATUS");
  return status ? std::atoi(status) : 0;
}
