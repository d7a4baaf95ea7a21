#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "platform/PlatformServices.h"
#include "sampling/StatusSampler.h"
#include "window/Form1.h"
#include "window/HistoryStore.h"

namespace quorvane {

// A running Quorvane as both programs build it: the system's services, the
// sampler, the history store and, once the front end has made its views over
// the store, the window core with the recorder beside it. Built in that order
// and taken apart in the reverse one.
class Assembly {
 public:
  // `program` is the running program's own file, for the start-at-login entry
  // and the skin beside it; `metrics_folder` the one the command line names.
  Assembly(const std::filesystem::path& program,
           std::optional<std::filesystem::path> metrics_folder);
  ~Assembly();
  Assembly(const Assembly&) = delete;
  Assembly& operator=(const Assembly&) = delete;

  HistoryStore& history() { return history_; }

  // The window core over the front end's views. `notifications` none: they show
  // as the tray's balloon.
  Form1& BuildForm(Form1Views views, NotificationView* notifications = nullptr);
  Form1& form() { return *form_; }
  // The window core goes before the views it was lent where its timer lives in
  // the front end's message loop (Win32): the front end calls this before they go.
  void TakeDownForm() { form_.reset(); }

 private:
  std::filesystem::path program_;
  std::optional<std::filesystem::path> metrics_folder_;
  PlatformServices services_;
  std::filesystem::path temp_folder_;
  StatusSampler sampler_;
  HistoryStore history_;
  std::unique_ptr<Form1> form_;
};

}  // namespace quorvane
