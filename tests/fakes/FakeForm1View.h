#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/AppError.h"
#include "window/Form1View.h"

namespace quorvane::testing {

// The main window's controls as plain values, starting as the layout draws them.
class FakeForm1View : public Form1View {
 public:
  struct ListHeader {
    std::string text;
    int width_twips = 0;
  };

  std::map<Control, std::string> captions;
  std::map<Control, bool> checked;
  std::map<Control, bool> visible;
  std::vector<Control> focus_requests;
  int progress_maximum = 100;
  int progress_value = 0;
  std::map<Control, ListHeader> headers;
  std::map<Control, std::vector<std::string>> rows;
  std::map<Control, int> selected;
  PointerMode pointer = PointerMode::kDefault;
  std::optional<std::filesystem::path> hand_pointer_file;
  std::optional<std::filesystem::path> skin_file;
  // Like the real window given a file it cannot use.
  bool reject_hand_pointer = false;
  bool reject_skin = false;
  bool high_contrast = false;
  bool application_icon_shown = false;

  // The window itself.
  bool shown = false;
  bool minimized = false;
  int shows = 0;
  int hides = 0;
  int centrings = 0;
  bool shown_before_centred = false;
  bool quit = false;

  FakeForm1View() {
    for (const ControlSpec& entry : Form1Layout()) {
      captions[entry.id] = std::string(entry.caption);
      visible[entry.id] = entry.visible;
    }
  }

  // What the user does on the desktop: the window manager minimises the window,
  // or brings it back from the taskbar.
  void UserMinimizes() { minimized = true; }
  void UserRestores() { minimized = false; }

  void SetCaption(Control control, const std::string& text) override { captions[control] = text; }
  void SetChecked(Control control, bool value) override { checked[control] = value; }
  bool IsChecked(Control control) const override {
    const auto found = checked.find(control);
    return found != checked.end() && found->second;
  }
  void SetVisible(Control control, bool value) override { visible[control] = value; }
  void SetFocus(Control control) override { focus_requests.push_back(control); }
  void SetProgress(int maximum, int value) override {
    progress_maximum = maximum;
    progress_value = value;
  }
  void SetListHeader(Control list, const std::string& text, int width_twips) override {
    headers[list] = {text, width_twips};
  }
  void SetListRows(Control list, const std::vector<std::string>& list_rows) override {
    rows[list] = list_rows;
  }
  void SelectRow(Control list, int row) override { selected[list] = row; }
  int SelectedRow(Control list) const override {
    const auto found = selected.find(list);
    return found == selected.end() ? -1 : found->second;
  }
  void SetPointer(PointerMode mode) override { pointer = mode; }
  void LoadHandPointer(const std::filesystem::path& file) override {
    if (reject_hand_pointer) throw AppError("The file is not a cursor");
    hand_pointer_file = file;
  }
  void ApplySkin(const std::filesystem::path& file) override {
    if (reject_skin) throw AppError("The skin is not a style sheet");
    skin_file = file;
  }
  bool HighContrast() const override { return high_contrast; }
  void ShowApplicationIcon() override { application_icon_shown = true; }
  void CentreOnScreen() override { ++centrings; }
  void ShowWindow() override {
    shown_before_centred = shown_before_centred || centrings == 0;
    shown = true;
    minimized = false;
    ++shows;
  }
  void ShowMinimizedWindow() override {
    shown_before_centred = shown_before_centred || centrings == 0;
    shown = true;
    minimized = true;
  }
  void HideWindow() override {
    shown = false;
    ++hides;
  }
  bool IsMinimized() const override { return minimized; }
  bool IsVisible() const override { return shown; }
  void Quit() override { quit = true; }
};

}  // namespace quorvane::testing
