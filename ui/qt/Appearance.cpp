#include "ui/qt/Appearance.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>
#include <QStringDecoder>
#include <QWidget>
#include <QtGlobal>

#include "platform/AppError.h"

namespace quorvane {
namespace {

// While a skin is tried on a probe widget, Qt's warnings about style sheets it
// cannot parse are caught here instead of going to the terminal.
QString* parse_complaint = nullptr;
QtMessageHandler previous_handler = nullptr;

void CatchParseComplaint(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (parse_complaint && text.contains(QLatin1String("Could not parse"))) {
    *parse_complaint = text;
    return;
  }
  if (previous_handler) previous_handler(type, context, text);
}

QByteArray ReadAll(const std::filesystem::path& file, const char* what) {
  QFile in(QString::fromStdString(file.string()));
  if (!in.open(QIODevice::ReadOnly))
    throw AppError(std::string("The ") + what + " " + file.string() +
                   " could not be read: " + in.errorString().toStdString());
  return in.readAll();
}

}  // namespace

QString LoadSkin(const std::filesystem::path& file) {
  const QByteArray bytes = ReadAll(file, "skin");
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString sheet = utf8.decode(bytes);
  QString complaint;
  if (!utf8.hasError()) {
    QWidget probe;
    parse_complaint = &complaint;
    previous_handler = qInstallMessageHandler(CatchParseComplaint);
    probe.setStyleSheet(sheet);
    probe.ensurePolished();
    qInstallMessageHandler(previous_handler);
    parse_complaint = nullptr;
  }
  if (utf8.hasError() || !complaint.isEmpty())
    throw AppError("The skin " + file.string() + " is not a style sheet Quorvane can use");
  return sheet;
}

QCursor LoadCursorFile(const std::filesystem::path& file) {
  const QByteArray bytes = ReadAll(file, "pointer");
  QImageReader reader(QString::fromStdString(file.string()));
  const QImage image = reader.read();
  // A cursor file is an icon file whose type field (bytes 2-3) is 2.
  if (image.isNull() || bytes.size() < 14 || bytes[2] != 2)
    throw AppError("The pointer " + file.string() + " is not a cursor file");
  // Qt does not expose the hot spot; it is stored in bytes 10 to 13.
  const auto byte = [&](int i) { return static_cast<unsigned char>(bytes[i]); };
  const int hot_x = byte(10) | byte(11) << 8;
  const int hot_y = byte(12) | byte(13) << 8;
  return QCursor(QPixmap::fromImage(image), hot_x, hot_y);
}

}  // namespace quorvane
