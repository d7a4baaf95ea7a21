#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "platform/SettingsStore.h"

namespace quorvane {

// Settings in an INI file in the user's configuration folder
// ($XDG_CONFIG_HOME/Brindlewick/Quorvane.ini), section "Quorvane". QSettings writes
// it atomically under a lock. A file that does not parse is set aside as a backup
// before anything is written, never overwritten.
class IniSettingsStore : public SettingsStore {
 public:
  IniSettingsStore();                              // the user's own file
  explicit IniSettingsStore(const QString& file);  // for tests

  std::optional<std::string> Get(std::string_view key) const override;
  void Save(std::string_view key, std::string_view value) override;

  std::string UnreadableBackup() const override { return backup_file_.toStdString(); }

 private:
  void Open(const QString& file);

  std::unique_ptr<QSettings> settings_;
  QString backup_file_;
};

// The path of the user's own settings file.
QString UserSettingsFile();

}  // namespace quorvane
