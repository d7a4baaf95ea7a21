// A stand-in for netsh.exe. What it does is chosen by FAKE_NETSH_MODE:
//   print:<file>  prints the file (a recorded netsh output) and exits 0
//   fail          prints nothing and exits 1, as netsh does without WiFi service
//   crash         ends as a crashed program does
//   hang          sleeps far past any time limit
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main() {
  const char* mode_text = std::getenv("FAKE_NETSH_MODE");
  const std::string mode = mode_text ? mode_text : "";
  if (mode.rfind("print:", 0) == 0) {
    _setmode(_fileno(stdout), _O_BINARY);  // the recorded bytes, line ends untouched
    std::FILE* in = std::fopen(mode.substr(6).c_str(), "rb");
    if (!in) return 2;
    char buffer[4096];
    std::size_t read;
    while ((read = std::fread(buffer, 1, sizeof buffer, in)) > 0)
      std::fwrite(buffer, 1, read, stdout);
    std::fclose(in);
    return 0;
  }
  if (mode == "crash") ExitProcess(0xC0000005u);
  if (mode == "hang") Sleep(60000);
  return 1;
}
