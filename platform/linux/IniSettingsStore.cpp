#include "platform/linux/IniSettingsStore.h"

#include <QDateTime>
#include <QFile>
#include <QStringDecoder>

#include "platform/AppError.h"

namespace quorvane {
namespace {

QString GroupKey(std::string_view key) {
  return QStringLiteral("Quorvane/") + QString::fromUtf8(key.data(), static_cast<int>(key.size()));
}

// QSettings reads almost anything as INI text and would silently drop what it
// does not understand on the next write; binary content is taken as unreadable.
bool IsPlainText(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return true;  // missing: nothing to keep
  const QByteArray bytes = in.readAll();
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(bytes);
  if (utf8.hasError()) return false;
  for (const QChar c : text)
    if (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n') &&
        c != QLatin1Char('\r'))
      return false;
  return true;
}

}  // namespace

QString UserSettingsFile() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brindlewick"),
                   QStringLiteral("Quorvane"))
      .fileName();
}

IniSettingsStore::IniSettingsStore() { Open(UserSettingsFile()); }

IniSettingsStore::IniSettingsStore(const QString& file) { Open(file); }

void IniSettingsStore::Open(const QString& file) {
  settings_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
  if (settings_->status() != QSettings::FormatError && IsPlainText(file)) return;
  // Keep what could not be read for the user, and start from the defaults.
  settings_.reset();
  backup_file_ = file + QStringLiteral(".unreadable-") +
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  if (!QFile::rename(file, backup_file_)) backup_file_.clear();
  settings_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
}

std::optional<std::string> IniSettingsStore::Get(std::string_view key) const {
  const QVariant value = settings_->value(GroupKey(key));
  if (!value.isValid()) return std::nullopt;
  // An unquoted value with commas, as a user writes "1.1.1.1, 9.9.9.9" by hand,
  // is read by QSettings as a list; its text is the list joined back as written.
  if (value.typeId() == QMetaType::QStringList)
    return value.toStringList().join(QStringLiteral(", ")).toStdString();
  return value.toString().toStdString();
}

void IniSettingsStore::Save(std::string_view key, std::string_view value) {
  settings_->setValue(GroupKey(key),
                      QString::fromUtf8(value.data(), static_cast<int>(value.size())));
  settings_->sync();
  if (settings_->status() == QSettings::AccessError)
    throw AppError("The settings could not be saved in " + settings_->fileName().toStdString() +
                   ": permission denied");
}

}  // namespace quorvane
