#include "platform/windows/SystemWlanApi.h"

#include <windows.h>
#include <wlanapi.h>

#include <cstring>

namespace quorvane {
namespace {

constexpr DWORD kClientVersion = 2;  // Windows Vista and later

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

std::uint32_t SystemWlanApi::QueryRssi(const WlanInterface& wlan_interface, std::int32_t& dbm) {
  if (const auto error = Open()) return error;
  GUID id;
  std::memcpy(&id, wlan_interface.id.data(), sizeof id);
  DWORD size = 0;
  void* data = nullptr;
  // The strength alone: unlike the current connection's attributes, it needs no
  // location permission.
  DWORD error =
      library_->query(handle_, &id, wlan_intf_opcode_rssi, nullptr, &size, &data, nullptr);
  if (error == ERROR_SUCCESS) {
    if (data && size >= sizeof(LONG))
      dbm = *static_cast<const LONG*>(data);
    else
      error = ERROR_INVALID_DATA;
  }
  if (data) library_->free(data);
  if (error != ERROR_SUCCESS) Close();
  return error;
}

}  // namespace quorvane
