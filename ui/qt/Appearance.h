#pragma once

#include <QCursor>
#include <QString>
#include <filesystem>

namespace quorvane {

// The skin's style sheet. Throws AppError when the file cannot be read or is not a
// style sheet Qt can parse.
QString LoadSkin(const std::filesystem::path& file);

// A Windows cursor file as a pointer, with its hot spot. Throws AppError when the
// file is not a cursor.
QCursor LoadCursorFile(const std::filesystem::path& file);

}  // namespace quorvane
