#include "ui/qt/FrameBox.h"

#include <QPainter>

namespace quorvane {
namespace {

constexpr int kCaptionIndent = 8;  // pixels from the frame's left edge
constexpr int kCaptionPadding = 2;
const QColor kLineColour(0xA0, 0xA0, 0xA0);

}  // namespace

void FrameBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  const int line_y = metrics.height() / 2;
  painter.setPen(kLineColour);
  painter.drawRect(rect().adjusted(0, line_y, -1, -1));
  if (title().isEmpty()) return;
  const QRect caption(kCaptionIndent, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPadding,
                      metrics.height());
  // The caption interrupts the line, on the frame's own background.
  painter.fillRect(caption, palette().color(backgroundRole()));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(caption, Qt::AlignCenter, title());
}

}  // namespace quorvane
