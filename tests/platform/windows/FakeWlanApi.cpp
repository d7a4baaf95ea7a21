// A stand-in for the system's wlanapi.dll that answers from C:\quorvane-wlan.txt,
// read anew at every call. Its lines, each optional:
//   open <error>          what WlanOpenHandle answers (0 by default)
//   enum <error>          what WlanEnumInterfaces answers
//   query <error>|hang    what WlanQueryInterface answers, or it never returns
//   interface connected   one interface per line, in this order; any other word
//                         after "interface" is a disconnected one
//   rssi <dBm>            the strength every connected interface reports
//   ssid <name>           the connection of every connected interface: its network,
//   bssid <aa:bb:..:ff>   access point, transmit rate in kbit/s, and channel number
//   txrate <kbit/s>
//   channel <number>
//   bss <aa:bb:..:ff> <kHz>  one access point of the network, with its frequency
//   location denied       the connection, channel and access points refused with
//                         ERROR_ACCESS_DENIED, as without location permission on
//                         Windows 11 24H2; the strength is still given
// Without the file it reports no interface, as Wine's own does. Other opcodes are
// refused.
#include <windows.h>
#include <wlanapi.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Script {
  DWORD open = ERROR_SUCCESS;
  DWORD enumerate = ERROR_SUCCESS;
  DWORD query = ERROR_SUCCESS;
  bool hang = false;
  std::vector<bool> connected;
  LONG rssi = 0;
  std::string ssid;
  DOT11_MAC_ADDRESS bssid{};
  ULONG tx_rate = 0;
  ULONG channel = 0;
  std::vector<WLAN_BSS_ENTRY> access_points;
  bool location_denied = false;
};

void ReadAddress(const char* text, DOT11_MAC_ADDRESS& address) {
  unsigned int bytes[6] = {};
  std::sscanf(text, "%x:%x:%x:%x:%x:%x", &bytes[0], &bytes[1], &bytes[2], &bytes[3], &bytes[4],
              &bytes[5]);
  for (int i = 0; i < 6; ++i) address[i] = static_cast<UCHAR>(bytes[i]);
}

Script ReadScript() {
  Script script;
  std::FILE* file = std::fopen("C:\\quorvane-wlan.txt", "r");
  if (!file) return script;
  char line[128];
  while (std::fgets(line, sizeof line, file)) {
    char key[32] = "", value[64] = "", extra[32] = "";
    if (std::sscanf(line, "%31s %63s %31s", key, value, extra) < 2) continue;
    const std::string name = key;
    const auto number = std::strtol(value, nullptr, 10);
    if (name == "open") script.open = static_cast<DWORD>(number);
    if (name == "enum") script.enumerate = static_cast<DWORD>(number);
    if (name == "query") {
      script.hang = std::strcmp(value, "hang") == 0;
      script.query = static_cast<DWORD>(number);
    }
    if (name == "interface") script.connected.push_back(std::strcmp(value, "connected") == 0);
    if (name == "rssi") script.rssi = number;
    if (name == "ssid") script.ssid = value;
    if (name == "bssid") ReadAddress(value, script.bssid);
    if (name == "txrate") script.tx_rate = static_cast<ULONG>(number);
    if (name == "channel") script.channel = static_cast<ULONG>(number);
    if (name == "bss") {
      WLAN_BSS_ENTRY entry{};
      ReadAddress(value, entry.dot11Bssid);
      entry.ulChCenterFrequency = static_cast<ULONG>(std::strtoul(extra, nullptr, 10));
      script.access_points.push_back(entry);
    }
    if (name == "location") script.location_denied = std::strcmp(value, "denied") == 0;
  }
  std::fclose(file);
  return script;
}

// A copy of `value` in memory of the DLL's own, as the service hands out.
template <typename Value>
DWORD Answer(const Value& value, PDWORD size, PVOID* data) {
  auto* copy = static_cast<Value*>(std::malloc(sizeof(Value)));
  std::memcpy(copy, &value, sizeof(Value));
  *size = sizeof(Value);
  *data = copy;
  return ERROR_SUCCESS;
}

bool NeedsLocation(WLAN_INTF_OPCODE opcode) {
  return opcode == wlan_intf_opcode_current_connection || opcode == wlan_intf_opcode_channel_number;
}

// The interface asked for is one the script lists as connected.
bool IsConnected(const Script& script, const GUID* id) {
  const std::size_t index = id->Data1 - 1;
  return index < script.connected.size() && script.connected[index];
}

HANDLE const kClient = reinterpret_cast<HANDLE>(0x5157);

}  // namespace

extern "C" {

DWORD WINAPI WlanOpenHandle(DWORD, PVOID, PDWORD negotiated, PHANDLE client) {
  const Script script = ReadScript();
  if (script.open != ERROR_SUCCESS) return script.open;
  *negotiated = 2;
  *client = kClient;
  return ERROR_SUCCESS;
}

DWORD WINAPI WlanCloseHandle(HANDLE client, PVOID) {
  return client == kClient ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

DWORD WINAPI WlanEnumInterfaces(HANDLE client, PVOID, PWLAN_INTERFACE_INFO_LIST* list) {
  if (client != kClient) return ERROR_INVALID_HANDLE;
  const Script script = ReadScript();
  if (script.enumerate != ERROR_SUCCESS) return script.enumerate;
  const std::size_t count = script.connected.size();
  const std::size_t size =
      offsetof(WLAN_INTERFACE_INFO_LIST, InterfaceInfo) + count * sizeof(WLAN_INTERFACE_INFO);
  auto* result = static_cast<WLAN_INTERFACE_INFO_LIST*>(std::calloc(1, size));
  result->dwNumberOfItems = static_cast<DWORD>(count);
  for (std::size_t i = 0; i < count; ++i) {
    result->InterfaceInfo[i].InterfaceGuid.Data1 = static_cast<unsigned long>(i + 1);
    result->InterfaceInfo[i].isState =
        script.connected[i] ? wlan_interface_state_connected : wlan_interface_state_disconnected;
  }
  *list = result;
  return ERROR_SUCCESS;
}

DWORD WINAPI WlanQueryInterface(HANDLE client, const GUID* id, WLAN_INTF_OPCODE opcode, PVOID,
                                PDWORD size, PVOID* data, PWLAN_OPCODE_VALUE_TYPE) {
  if (client != kClient) return ERROR_INVALID_HANDLE;
  const Script script = ReadScript();
  if (script.hang) Sleep(INFINITE);
  if (script.query != ERROR_SUCCESS) return script.query;
  if (script.location_denied && NeedsLocation(opcode)) return ERROR_ACCESS_DENIED;
  if (!IsConnected(script, id)) return ERROR_INVALID_STATE;
  if (opcode == wlan_intf_opcode_rssi) return Answer(script.rssi, size, data);
  if (opcode == wlan_intf_opcode_channel_number) return Answer(script.channel, size, data);
  if (opcode != wlan_intf_opcode_current_connection) return ERROR_INVALID_PARAMETER;
  WLAN_CONNECTION_ATTRIBUTES attributes{};
  attributes.isState = wlan_interface_state_connected;
  WLAN_ASSOCIATION_ATTRIBUTES& association = attributes.wlanAssociationAttributes;
  association.dot11Ssid.uSSIDLength =
      static_cast<ULONG>(std::min<std::size_t>(script.ssid.size(), DOT11_SSID_MAX_LENGTH));
  std::memcpy(association.dot11Ssid.ucSSID, script.ssid.data(), association.dot11Ssid.uSSIDLength);
  association.dot11BssType = dot11_BSS_type_infrastructure;
  std::memcpy(association.dot11Bssid, script.bssid, sizeof script.bssid);
  association.ulTxRate = script.tx_rate;
  association.ulRxRate = script.tx_rate;
  attributes.wlanSecurityAttributes.bSecurityEnabled = TRUE;
  return Answer(attributes, size, data);
}

// The access points of the network asked for; only those of the connection's own
// network are known.
DWORD WINAPI WlanGetNetworkBssList(HANDLE client, const GUID* id, const PDOT11_SSID ssid,
                                   DOT11_BSS_TYPE, WINBOOL, PVOID, PWLAN_BSS_LIST* list) {
  if (client != kClient) return ERROR_INVALID_HANDLE;
  const Script script = ReadScript();
  if (script.query != ERROR_SUCCESS) return script.query;
  if (script.location_denied) return ERROR_ACCESS_DENIED;
  if (!IsConnected(script, id)) return ERROR_INVALID_STATE;
  const bool same_network = ssid && std::string(reinterpret_cast<const char*>(ssid->ucSSID),
                                                ssid->uSSIDLength) == script.ssid;
  const std::size_t count = same_network ? script.access_points.size() : 0;
  const std::size_t size = offsetof(WLAN_BSS_LIST, wlanBssEntries) +
                           std::max<std::size_t>(count, 1) * sizeof(WLAN_BSS_ENTRY);
  auto* result = static_cast<WLAN_BSS_LIST*>(std::calloc(1, size));
  result->dwTotalSize = static_cast<DWORD>(size);
  result->dwNumberOfItems = static_cast<DWORD>(count);
  for (std::size_t i = 0; i < count; ++i) result->wlanBssEntries[i] = script.access_points[i];
  *list = result;
  return ERROR_SUCCESS;
}

VOID WINAPI WlanFreeMemory(PVOID memory) { std::free(memory); }

}  // extern "C"
