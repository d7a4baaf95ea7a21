#pragma once

#include <QIcon>

namespace quorvane {

// The program's icon in every size drawn, 16 to 256 pixels.
QIcon ApplicationIcon();
// The 16-pixel picture the tray shows.
QIcon TrayPicture();

}  // namespace quorvane
