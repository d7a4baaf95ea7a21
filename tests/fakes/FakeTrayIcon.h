#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "window/Form1View.h"

namespace quorvane::testing {

// A tray that records what it was asked to show.
class FakeTrayIcon : public TrayIconView {
 public:
  struct Balloon {
    std::string title;
    std::string text;
    int seconds = 0;
  };

  bool available = true;
  int refusals = 0;   // adds the tray refuses before it takes the icon
  int late_adds = 0;  // adds that time out, though the tray takes the icon all the same
  bool shown = false;
  int shows = 0;  // tries to add the icon
  std::string tip;
  std::vector<Balloon> balloons;
  int balloons_taken_down = 0;

  bool Available() const override { return available; }
  bool Show(const std::string& new_tip) override {
    ++shows;
    if (late_adds > 0) {
      --late_adds;
      shown = true;
      tip = new_tip;
      return false;
    }
    if (!available || refusals > 0) {
      refusals = std::max(0, refusals - 1);
      return false;
    }
    shown = true;
    tip = new_tip;
    return true;
  }
  void Hide() override { shown = false; }
  void SetTip(const std::string& new_tip) override { tip = new_tip; }
  void ShowBalloon(const std::string& title, const std::string& text, int seconds) override {
    balloons.push_back({title, text, seconds});
  }
  void TakeDownBalloon() override { ++balloons_taken_down; }
};

}  // namespace quorvane::testing
