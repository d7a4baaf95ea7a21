#include "platform/WirelessTool.h"

namespace quorvane {

WirelessTool SystemWirelessTool() {
  // NetworkManager's cached scan results in terse form; "--rescan no" keeps the
  // tool from waiting for a fresh scan, which can take seconds. The fields after
  // the signal describe the link in use, for when nl80211 cannot.
  return {{"nmcli",
           {"-t", "-f", "IN-USE,SIGNAL,SSID,BSSID,CHAN,FREQ,RATE", "device", "wifi", "list",
            "--rescan", "no"}},
          WirelessOutputFormat::kNmcliTerse};
}

}  // namespace quorvane
