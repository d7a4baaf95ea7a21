#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>
#include <vector>

namespace quorvane::win32 {

// Gives controls the names screen readers call them, through Active
// Accessibility's dynamic annotation, which UI Automation's proxies read too: a
// list view or a progress bar is otherwise named after a label beside it, and
// these have none. Best effort: without the service (COM not started, or a system
// that lacks it) the controls keep what they had.
class AccessibleNamer {
 public:
  AccessibleNamer();
  ~AccessibleNamer();
  AccessibleNamer(const AccessibleNamer&) = delete;
  AccessibleNamer& operator=(const AccessibleNamer&) = delete;

  void Name(HWND control, const std::wstring& name);

 private:
  IAccPropServices* services_ = nullptr;
  std::vector<HWND> named_;
};

}  // namespace quorvane::win32
