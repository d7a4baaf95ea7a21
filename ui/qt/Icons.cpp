#include "ui/qt/Icons.h"

// The icons are compiled into a static library, whose resources must be
// registered by hand before first use.
static void RegisterIconResources() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(icons);
    return true;
  }();
  static_cast<void>(registered);
}

namespace quorvane {

QIcon ApplicationIcon() {
  RegisterIconResources();
  QIcon icon;
  for (const int size : {16, 32, 48, 128, 256})
    icon.addFile(QStringLiteral(":/icons/quorvane-%1.png").arg(size), QSize(size, size));
  return icon;
}

QIcon TrayPicture() {
  RegisterIconResources();
  return QIcon(QStringLiteral(":/icons/quorvane-16.png"));
}

}  // namespace quorvane
