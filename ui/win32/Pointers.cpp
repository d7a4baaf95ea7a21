#include "ui/win32/Pointers.h"

#include "platform/AppError.h"

namespace quorvane::win32 {

Pointers::~Pointers() {
  if (hand_from_file_) DestroyCursor(hand_from_file_);
}

void Pointers::LoadHand(const std::filesystem::path& file) {
  HCURSOR cursor = LoadCursorFromFileW(file.c_str());
  if (!cursor) throw AppError("Invalid picture");
  if (hand_from_file_) DestroyCursor(hand_from_file_);
  hand_from_file_ = cursor;
}

HCURSOR Pointers::For(PointerMode mode) const {
  switch (mode) {
    case PointerMode::kBusy:
      return LoadCursorW(nullptr, IDC_WAIT);
    case PointerMode::kHand:
      return hand_from_file_ ? hand_from_file_ : LoadCursorW(nullptr, IDC_HAND);
    case PointerMode::kDefault:
      break;
  }
  return nullptr;
}

}  // namespace quorvane::win32
