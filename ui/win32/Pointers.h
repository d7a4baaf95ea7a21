#pragma once

#include <windows.h>

#include <filesystem>

#include "window/Form1View.h"

namespace quorvane::win32 {

// The pointers of the window's pointer modes: the hand from HAND-M.CUR when one
// was loaded, else the system's hand; the system's busy pointer.
class Pointers {
 public:
  Pointers() = default;
  ~Pointers();
  Pointers(const Pointers&) = delete;
  Pointers& operator=(const Pointers&) = delete;

  // Throws AppError when the file is no cursor.
  void LoadHand(const std::filesystem::path& file);
  // nullptr for the default mode, where each control shows its own pointer.
  HCURSOR For(PointerMode mode) const;

 private:
  HCURSOR hand_from_file_ = nullptr;
};

}  // namespace quorvane::win32
