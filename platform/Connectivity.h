#pragma once

namespace quorvane {

class Connectivity {
 public:
  virtual ~Connectivity() = default;
  // True when the computer has a working network connection of any kind (wired
  // included), in the sense of "a LAN route to the outside exists".
  virtual bool IsInternetConnected() const = 0;
};

}  // namespace quorvane
