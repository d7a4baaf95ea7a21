#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace quorvane {

// The history list as a screen reader sees it: a list whose items are the lines.
// An item is made only when a reader asks for it, so a list of a million lines
// costs nothing until someone reads it. The main window (object name "Form1")
// reads as a window.
QAccessibleInterface* HistoryAccessibleFactory(const QString& class_name, QObject* object);

// Hands Qt the factory above; once is enough for every history list.
void InstallHistoryAccessibility();

}  // namespace quorvane
