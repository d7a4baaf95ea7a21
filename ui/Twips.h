#pragma once

#include <QRect>

namespace quorvane {

// Window measures are given in twips: 15 to a pixel at 96 dots per inch.
constexpr int TwipsToPixels(int twips) { return (twips + 7) / 15; }

inline QRect TwipsRect(int left, int top, int width, int height) {
  return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace quorvane
