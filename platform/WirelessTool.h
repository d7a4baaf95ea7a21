#pragma once

#include "platform/ToolRunner.h"

namespace quorvane {

// The layouts of wireless tool output that the signal reader understands.
enum class WirelessOutputFormat {
  kNetsh,       // "netsh wlan show networks mode=bssid"
  kNmcliTerse,  // "nmcli -t -f IN-USE,SIGNAL,SSID,BSSID,CHAN,FREQ,RATE device wifi list"
};

struct WirelessTool {
  ToolCommand command;
  WirelessOutputFormat format = WirelessOutputFormat::kNetsh;
};

// The system's wireless command-line tool and how to read what it prints.
WirelessTool SystemWirelessTool();

}  // namespace quorvane
