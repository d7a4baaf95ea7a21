#pragma once

#include <filesystem>

namespace quorvane {

// The optional skin beside the program (x/o.cjs).
inline std::filesystem::path SkinFilePath(const std::filesystem::path& program_folder) {
  return program_folder / "x" / "o.cjs";
}

// The optional hand pointer beside the program, a Windows cursor file.
inline std::filesystem::path CursorFilePath(const std::filesystem::path& program_folder) {
  return program_folder / "HAND-M.CUR";
}

}  // namespace quorvane
