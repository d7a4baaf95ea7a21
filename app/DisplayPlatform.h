#pragma once

#include <QByteArray>

namespace quorvane {

// The Qt platform Quorvane asks for, from the environment it was started in:
// empty when the user chose one (QT_QPA_PLATFORM) or when Qt's own choice serves,
// "xcb" in a Wayland session that offers XWayland (DISPLAY), and "offscreen"
// when there is no display at all.
QByteArray PreferredPlatform();

// Whether minimising can hide the window into the tray on the platform Qt runs:
// not on Wayland, which never tells a program that its window was minimised.
bool PlatformReportsMinimise();

// Tells the user, once per run, that on this desktop minimising leaves the window
// on the taskbar: as a desktop notification when a notification service runs, and
// on standard output.
void TellMinimiseStaysOnTaskbar();

}  // namespace quorvane
