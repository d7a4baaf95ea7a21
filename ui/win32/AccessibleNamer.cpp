#include "ui/win32/AccessibleNamer.h"

#include <algorithm>

namespace quorvane::win32 {

AccessibleNamer::AccessibleNamer() {
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&services_))))
    services_ = nullptr;
}

AccessibleNamer::~AccessibleNamer() {
  if (!services_) return;
  MSAAPROPID name = PROPID_ACC_NAME;
  for (HWND control : named_)
    services_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
  services_->Release();
}

void AccessibleNamer::Name(HWND control, const std::wstring& name) {
  if (!services_) return;
  if (SUCCEEDED(services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                          PROPID_ACC_NAME, name.c_str())) &&
      std::find(named_.begin(), named_.end(), control) == named_.end())
    named_.push_back(control);
}

}  // namespace quorvane::win32
