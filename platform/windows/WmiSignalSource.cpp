#include "platform/windows/WmiSignalSource.h"

#include <objbase.h>
#include <wbemcli.h>
#include <windows.h>

#include "platform/AppError.h"
#include "platform/windows/WideText.h"

namespace quorvane {
namespace {

// Holds one COM interface and releases it.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  explicit ComPtr(Interface* pointer) : pointer_(pointer) {}
  ~ComPtr() {
    if (pointer_) pointer_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  Interface* operator->() const { return pointer_; }
  Interface* get() const { return pointer_; }
  Interface** out() { return &pointer_; }
  void reset(Interface* pointer) {
    if (pointer_) pointer_->Release();
    pointer_ = pointer;
  }
  Interface* release() {
    Interface* pointer = pointer_;
    pointer_ = nullptr;
    return pointer;
  }

 private:
  Interface* pointer_ = nullptr;
};

[[noreturn]] void ThrowWmi(const char* what, HRESULT result) {
  throw AppError(std::string("WMI: ") + what + ": " +
                 SystemMessage(static_cast<unsigned long>(result)));
}

class BstrText {
 public:
  explicit BstrText(const wchar_t* text) : text_(SysAllocString(text)) {}
  ~BstrText() { SysFreeString(text_); }
  BstrText(const BstrText&) = delete;
  BstrText& operator=(const BstrText&) = delete;
  operator BSTR() const { return text_; }

 private:
  BSTR text_;
};

class WmiInstances : public StrengthInstances {
 public:
  WmiInstances(IEnumWbemClassObject* enumerator, std::chrono::milliseconds step_limit)
      : enumerator_(enumerator), step_limit_(step_limit) {}

  bool MoveNext() override {
    ComPtr<IWbemClassObject> next;
    ULONG returned = 0;
    const HRESULT result =
        enumerator_->Next(static_cast<long>(step_limit_.count()), 1, next.out(), &returned);
    // When no driver publishes the class, as no WiFi driver of today does, WMI may
    // fail the first step with "Not supported" instead of delivering an empty set:
    // that too is a query without adapters.
    if (result == static_cast<HRESULT>(WBEM_E_NOT_SUPPORTED) && !current_.get()) return false;
    if (FAILED(result)) ThrowWmi("reading the adapters", result);
    if (result == WBEM_S_TIMEDOUT) timed_out_ = true;
    if (returned == 0) return false;
    current_.reset(next.release());
    return true;
  }

  bool TimedOut() const override { return timed_out_; }

  std::int32_t CurrentStrength() override {
    VARIANT value;
    VariantInit(&value);
    const HRESULT result =
        current_->Get(L"NDIS80211ReceivedSignalStrength", 0, &value, nullptr, nullptr);
    if (FAILED(result)) ThrowWmi("reading the signal strength", result);
    const HRESULT converted = VariantChangeType(&value, &value, 0, VT_I4);
    const std::int32_t dbm = SUCCEEDED(converted) ? value.lVal : 0;
    VariantClear(&value);
    if (FAILED(converted)) ThrowWmi("reading the signal strength", converted);
    return dbm;
  }

 private:
  ComPtr<IEnumWbemClassObject> enumerator_;
  std::chrono::milliseconds step_limit_;
  ComPtr<IWbemClassObject> current_;
  bool timed_out_ = false;
};

// WMI's providers act as the caller, so its proxies must allow impersonation.
void AllowImpersonation(IUnknown* proxy) {
  CoSetProxyBlanket(proxy, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                    RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
}

}  // namespace

std::unique_ptr<StrengthInstances> WmiStrengthInstances(IEnumWbemClassObject* enumerator,
                                                        std::chrono::milliseconds step_limit) {
  return std::make_unique<WmiInstances>(enumerator, step_limit);
}

WmiSignalSource::WmiSignalSource() = default;

// Normally unbound already, on the reading thread; COM there is that thread's.
WmiSignalSource::~WmiSignalSource() {
  if (service_) service_->Release();
}

void WmiSignalSource::Unbind() {
  if (service_) service_->Release();
  service_ = nullptr;
  if (com_started_) CoUninitialize();
  com_started_ = false;
}

void WmiSignalSource::Bind(const std::string& computer) {
  Unbind();
  // The thread may already have its apartment; either kind will do. The process's
  // COM security is set once at start, before any COM use: set here it would be
  // refused whenever the window's thread had used COM first.
  const HRESULT initialised = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (FAILED(initialised) && initialised != RPC_E_CHANGED_MODE)
    ThrowWmi("starting COM", initialised);
  com_started_ = SUCCEEDED(initialised);

  ComPtr<IWbemLocator> locator;
  HRESULT result = CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWbemLocator, reinterpret_cast<void**>(locator.out()));
  if (FAILED(result)) ThrowWmi("creating the locator", result);
  const BstrText path(Widen("\\\\" + computer + "\\root\\wmi").c_str());
  ComPtr<IWbemServices> service;
  // The connection attempt gives up after two minutes instead of waiting forever.
  result = locator->ConnectServer(path, nullptr, nullptr, nullptr, WBEM_FLAG_CONNECT_USE_MAX_WAIT,
                                  nullptr, nullptr, service.out());
  if (FAILED(result)) ThrowWmi("connecting to root\\wmi", result);
  AllowImpersonation(service.get());
  service_ = service.release();
}

std::unique_ptr<StrengthInstances> WmiSignalSource::Query() {
  if (!service_) throw AppError("WMI: the service is not connected");
  const BstrText language(L"WQL");
  const BstrText query(L"Select * From MSNdis_80211_ReceivedSignalStrength");
  IEnumWbemClassObject* enumerator = nullptr;
  const HRESULT result = service_->ExecQuery(
      language, query, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr, &enumerator);
  if (FAILED(result)) ThrowWmi("querying the signal strength", result);
  // The enumerator is a proxy of its own, which does not inherit the service's.
  AllowImpersonation(enumerator);
  return WmiStrengthInstances(enumerator);
}

}  // namespace quorvane
