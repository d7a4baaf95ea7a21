#pragma once

#include <QGroupBox>

namespace quorvane {

// A frame drawn as the layout means it: the caption sits on the frame's top line
// at the top of the frame's rectangle, and the line runs through the caption's
// middle, as in the classic Windows group box. Children are placed from the
// frame's top edge, not from below a title area.
class FrameBox : public QGroupBox {
  Q_OBJECT

 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace quorvane
