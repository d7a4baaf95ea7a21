#include "platform/windows/SystemWlanApi.h"

#include <windows.h>
#include <wlanapi.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace quorvane {
namespace {

constexpr DWORD kClientVersion = 2;  // Windows Vista and later

GUID GuidOf(const WlanInterface& wlan_interface) {
  GUID id;
  std::memcpy(&id, wlan_interface.id.data(), sizeof id);
  return id;
}

void CopyAddress(const DOT11_MAC_ADDRESS& address, WlanMacAddress& copy) {
  std::memcpy(copy.data(), address, copy.size());
}

template <typename Function>
bool Find(HMODULE module, const char* name, Function*& function) {
  function = reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return function != nullptr;
}

}  // namespace

struct SystemWlanApi::Library {
  HMODULE module = nullptr;
  decltype(WlanOpenHandle)* open = nullptr;
  decltype(WlanCloseHandle)* close = nullptr;
  decltype(WlanEnumInterfaces)* enumerate = nullptr;
  decltype(WlanQueryInterface)* query = nullptr;
  decltype(WlanGetNetworkBssList)* list_bss = nullptr;
  decltype(WlanFreeMemory)* free = nullptr;
};

SystemWlanApi::SystemWlanApi() = default;

SystemWlanApi::~SystemWlanApi() {
  Close();
  if (library_) FreeLibrary(library_->module);
}

std::uint32_t SystemWlanApi::Open() {
  if (handle_) return ERROR_SUCCESS;
  if (!library_ && load_error_ == ERROR_SUCCESS) {
    // Never from the program's folder or the current one, where anyone may put a
    // file of that name.
    const HMODULE module = LoadLibraryExW(L"wlanapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) {
      load_error_ = GetLastError();
      if (load_error_ == ERROR_SUCCESS) load_error_ = ERROR_MOD_NOT_FOUND;
    } else {
      auto library = std::make_unique<Library>(Library{module});
      // The strength needs these alone; the list of access points, which only the
      // link's context uses, is looked up on its own, so that a library without
      // it still gives the level.
      Find(module, "WlanGetNetworkBssList", library->list_bss);
      if (Find(module, "WlanOpenHandle", library->open) &&
          Find(module, "WlanCloseHandle", library->close) &&
          Find(module, "WlanEnumInterfaces", library->enumerate) &&
          Find(module, "WlanQueryInterface", library->query) &&
          Find(module, "WlanFreeMemory", library->free)) {
        library_ = std::move(library);
      } else {
        load_error_ = ERROR_PROC_NOT_FOUND;
        FreeLibrary(module);
      }
    }
  }
  if (!library_) return load_error_;
  DWORD negotiated = 0;
  HANDLE handle = nullptr;
  const DWORD error = library_->open(kClientVersion, nullptr, &negotiated, &handle);
  if (error == ERROR_SUCCESS) handle_ = handle;
  return error;
}

void SystemWlanApi::Close() {
  if (handle_) library_->close(handle_, nullptr);
  handle_ = nullptr;
}

std::uint32_t SystemWlanApi::EnumInterfaces(std::vector<WlanInterface>& interfaces) {
  interfaces.clear();
  if (const auto error = Open()) return error;
  WLAN_INTERFACE_INFO_LIST* list = nullptr;
  const DWORD error = library_->enumerate(handle_, nullptr, &list);
  if (error != ERROR_SUCCESS) {
    Close();
    return error;
  }
  for (DWORD i = 0; i < list->dwNumberOfItems; ++i) {
    const WLAN_INTERFACE_INFO& info = list->InterfaceInfo[i];
    WlanInterface item;
    std::memcpy(item.id.data(), &info.InterfaceGuid, item.id.size());
    item.connected = info.isState == wlan_interface_state_connected;
    interfaces.push_back(item);
  }
  library_->free(list);
  return ERROR_SUCCESS;
}

template <typename Read>
std::uint32_t SystemWlanApi::QueryValue(const WlanInterface& wlan_interface, int opcode,
                                        unsigned long minimum_size, Read read) {
  if (const auto error = Open()) return error;
  const GUID id = GuidOf(wlan_interface);
  DWORD size = 0;
  void* data = nullptr;
  DWORD error = library_->query(handle_, &id, static_cast<WLAN_INTF_OPCODE>(opcode), nullptr, &size,
                                &data, nullptr);
  if (error == ERROR_SUCCESS) {
    if (data && size >= minimum_size)
      read(data);
    else
      error = ERROR_INVALID_DATA;
  }
  if (data) library_->free(data);
  if (error != ERROR_SUCCESS) Close();
  return error;
}

std::uint32_t SystemWlanApi::QueryRssi(const WlanInterface& wlan_interface, std::int32_t& dbm) {
  // The strength alone: unlike the current connection's attributes, it needs no
  // location permission.
  return QueryValue(wlan_interface, wlan_intf_opcode_rssi, sizeof(LONG),
                    [&](const void* data) { dbm = *static_cast<const LONG*>(data); });
}

std::uint32_t SystemWlanApi::QueryCurrentConnection(const WlanInterface& wlan_interface,
                                                    WlanConnection& connection) {
  connection = {};
  return QueryValue(
      wlan_interface, wlan_intf_opcode_current_connection, sizeof(WLAN_CONNECTION_ATTRIBUTES),
      [&](const void* data) {
        const auto& attributes = *static_cast<const WLAN_CONNECTION_ATTRIBUTES*>(data);
        const WLAN_ASSOCIATION_ATTRIBUTES& association = attributes.wlanAssociationAttributes;
        connection.connected = attributes.isState == wlan_interface_state_connected;
        const ULONG length =
            std::min<ULONG>(association.dot11Ssid.uSSIDLength, DOT11_SSID_MAX_LENGTH);
        connection.ssid.assign(reinterpret_cast<const char*>(association.dot11Ssid.ucSSID), length);
        CopyAddress(association.dot11Bssid, connection.bssid);
        connection.rx_rate_kbps = association.ulRxRate;
        connection.tx_rate_kbps = association.ulTxRate;
        connection.bss_type = static_cast<std::uint32_t>(association.dot11BssType);
        connection.security_enabled = attributes.wlanSecurityAttributes.bSecurityEnabled != FALSE;
      });
}

std::uint32_t SystemWlanApi::QueryChannel(const WlanInterface& wlan_interface,
                                          std::uint32_t& channel) {
  return QueryValue(wlan_interface, wlan_intf_opcode_channel_number, sizeof(ULONG),
                    [&](const void* data) { channel = *static_cast<const ULONG*>(data); });
}

std::uint32_t SystemWlanApi::ListNetworkBss(const WlanInterface& wlan_interface,
                                            const WlanConnection& connection,
                                            std::vector<WlanBss>& access_points) {
  access_points.clear();
  if (const auto error = Open()) return error;
  if (!library_->list_bss) return ERROR_PROC_NOT_FOUND;
  const GUID id = GuidOf(wlan_interface);
  DOT11_SSID ssid{};
  ssid.uSSIDLength =
      static_cast<ULONG>(std::min<std::size_t>(connection.ssid.size(), sizeof ssid.ucSSID));
  std::memcpy(ssid.ucSSID, connection.ssid.data(), ssid.uSSIDLength);
  WLAN_BSS_LIST* list = nullptr;
  DWORD error =
      library_->list_bss(handle_, &id, &ssid, static_cast<DOT11_BSS_TYPE>(connection.bss_type),
                         connection.security_enabled ? TRUE : FALSE, nullptr, &list);
  if (error == ERROR_SUCCESS && !list) error = ERROR_INVALID_DATA;
  if (error != ERROR_SUCCESS) {
    if (list) library_->free(list);
    Close();
    return error;
  }
  // No entry is read past the size the service gave.
  const std::size_t header = offsetof(WLAN_BSS_LIST, wlanBssEntries);
  const std::size_t fitting =
      list->dwTotalSize > header ? (list->dwTotalSize - header) / sizeof(WLAN_BSS_ENTRY) : 0;
  const std::size_t count = std::min<std::size_t>(list->dwNumberOfItems, fitting);
  for (std::size_t i = 0; i < count; ++i) {
    const WLAN_BSS_ENTRY& entry = list->wlanBssEntries[i];
    WlanBss item;
    CopyAddress(entry.dot11Bssid, item.bssid);
    item.center_frequency_khz = entry.ulChCenterFrequency;
    access_points.push_back(item);
  }
  library_->free(list);
  return ERROR_SUCCESS;
}

}  // namespace quorvane
