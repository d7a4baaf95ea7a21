#include "platform/WirelessTool.h"

namespace quorvane {

WirelessTool SystemWirelessTool() {
  // NetworkManager's cached scan results in terse form; "--rescan no" keeps the
  // tool from waiting for a fresh scan, which can take seconds.
  return {{"nmcli", {"-t", "-f", "IN-USE,SIGNAL", "device", "wifi", "list", "--rescan", "no"}},
          WirelessOutputFormat::kNmcliTerse};
}

}  // namespace quorvane
