// A netsh that takes three seconds to answer, as a slow WiFi service can: the
// window must go on answering meanwhile.
#include <windows.h>

#include <cstdio>

int main() {
  Sleep(3000);
  std::printf(
      "Interface name : Wi-Fi\r\n"
      "There are 1 networks currently visible.\r\n\r\n"
      "SSID 1 : Quorvane\r\n"
      "    Network type            : Infrastructure\r\n"
      "    BSSID 1                 : 5e:4c:9b:8e:46:d2\r\n"
      "         Signal             : 64%%\r\n");
  return 0;
}
