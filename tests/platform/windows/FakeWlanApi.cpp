// A stand-in for the system's wlanapi.dll that answers from C:\quorvane-wlan.txt,
// read anew at every call. Its lines, each optional:
//   open <error>          what WlanOpenHandle answers (0 by default)
//   enum <error>          what WlanEnumInterfaces answers
//   query <error>|hang    what WlanQueryInterface answers, or it never returns
//   interface connected   one interface per line, in this order; any other word
//                         after "interface" is a disconnected one
//   rssi <dBm>            the strength every connected interface reports
// Without the file it reports no interface, as Wine's own does. Only the signal
// strength can be queried: any other opcode is refused.
#include <windows.h>
#include <wlanapi.h>

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
};

Script ReadScript() {
  Script script;
  std::FILE* file = std::fopen("C:\\quorvane-wlan.txt", "r");
  if (!file) return script;
  char key[32], value[32];
  while (std::fscanf(file, "%31s %31s", key, value) == 2) {
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
  }
  std::fclose(file);
  return script;
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
  if (opcode != wlan_intf_opcode_rssi) return ERROR_INVALID_PARAMETER;
  const std::size_t index = id->Data1 - 1;
  if (index >= script.connected.size() || !script.connected[index]) return ERROR_INVALID_STATE;
  auto* rssi = static_cast<LONG*>(std::malloc(sizeof(LONG)));
  *rssi = script.rssi;
  *size = sizeof(LONG);
  *data = rssi;
  return ERROR_SUCCESS;
}

VOID WINAPI WlanFreeMemory(PVOID memory) { std::free(memory); }

}  // extern "C"
