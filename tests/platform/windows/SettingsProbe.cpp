// Prints one stored setting, so a test can read what another process stored.
#include <cstdio>

#include "platform/windows/RegistrySettingsStore.h"

int main(int argc, char* argv[]) {
  if (argc != 2) return 2;
  const auto value = quorvane::RegistrySettingsStore().Get(argv[1]);
  if (!value) return 1;
  std::fputs(value->c_str(), stdout);
  return 0;
}
