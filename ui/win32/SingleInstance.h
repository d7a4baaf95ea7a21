#pragma once

#include <windows.h>

namespace quorvane::win32 {

// One running copy per user: a mutex in the session's namespace, named after the
// user. A second copy finds the first one's main window and asks it to come to
// the front.
class SingleInstance {
 public:
  SingleInstance();
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True for the first copy.
  bool first() const { return first_; }
  // Asks the first copy to show its window; false when its window was not found
  // within a few seconds (it may still be starting).
  bool ShowFirst() const;

  // The message the first copy's main window answers by coming to the front.
  static UINT BringToFrontMessage();

 private:
  HANDLE mutex_ = nullptr;
  bool first_ = true;
};

}  // namespace quorvane::win32
