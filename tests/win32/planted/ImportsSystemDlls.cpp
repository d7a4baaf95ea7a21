// A program that imports uxtheme.dll and wininet.dll at start, as Quorvane.exe
// once did: beside planted copies it shows that the test's Wine settings make
// Windows' search order, so a program that is safe from them is so for a reason.
#include <windows.h>

#include <uxtheme.h>
#include <wininet.h>

int main() {
  DWORD flags = 0;
  InternetGetConnectedState(&flags, 0);
  SetWindowTheme(nullptr, L" ", L" ");
  return 0;
}
