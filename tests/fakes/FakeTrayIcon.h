#pragma once

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
  bool shown = false;
  int shows = 0;
  std::string tip;
  std::vector<Balloon> balloons;
  int balloons_taken_down = 0;

  bool Available() const override { return available; }
  void Show(const std::string& new_tip) override {
    shown = true;
    ++shows;
    tip = new_tip;
  }
  void Hide() override { shown = false; }
  void SetTip(const std::string& new_tip) override { tip = new_tip; }
  void ShowBalloon(const std::string& title, const std::string& text, int seconds) override {
    balloons.push_back({title, text, seconds});
  }
  void TakeDownBalloon() override { ++balloons_taken_down; }
};

}  // namespace quorvane::testing
