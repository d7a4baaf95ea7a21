#include "app/Assembly.h"

#include "platform/JournalFolder.h"
#include "platform/TempFolder.h"
#include "platform/WirelessTool.h"

namespace quorvane {

Assembly::Assembly(const std::filesystem::path& program,
                   std::optional<std::filesystem::path> metrics_folder)
    : program_(program),
      metrics_folder_(std::move(metrics_folder)),
      services_(CreatePlatformServices(program)),
      temp_folder_(TempFolder()),
      sampler_({*services_.clock, *services_.tool_runner, SystemWirelessTool(),
                *services_.signal_source, *services_.connectivity, temp_folder_,
                services_.wlan.get(), services_.link_source.get()}),
      history_(*services_.clock) {}

// The window goes before the sampler and the services it reads through.
Assembly::~Assembly() { form_.reset(); }

Form1& Assembly::BuildForm(Form1Views views, NotificationView* notifications) {
  Form1Services services{sampler_,
                         *services_.settings,
                         *services_.startup_entry,
                         *services_.clock,
                         temp_folder_,
                         program_.parent_path(),
                         DrawForHomePage,
                         services_.log_text_clock.get(),
                         {JournalFolder(), {}, services_.network_probe, metrics_folder_},
                         notifications};
  form_ = std::make_unique<Form1>(std::move(services), views, history_);
  return *form_;
}

}  // namespace quorvane
