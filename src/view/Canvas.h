#pragma once
// The drawing surface of the waveform display: pen, brush, font and current
// position over a persistent picture, with the drawing rules the display code
// is written for:
//  - lineTo draws from the current position and leaves out its end point;
//  - rectangle(l, t, r, b) covers pixels l..r-1 and t..b-1: a 1-pixel border
//    in the pen colour, the inside filled with the brush;
//  - textOut draws on an opaque background in the brush colour.
// Colours are 24-bit values with red in the low byte (0x0000FF is red,
// 0xFF0000 blue); only this class knows Qt's order. Everything is clipped to
// the surface, so coordinates may lie anywhere.

#include <QFont>
#include <QImage>
#include <QString>
#include <cstdint>

namespace korvalinx {

class Canvas {
 public:
  // The surface is not owned; it must outlive its use here. A surface of
  // another format is converted to QImage::Format_RGB32 in place.
  explicit Canvas(QImage* surface = nullptr);

  // The window gives a new surface after a resize; pen, brush, font and
  // current position stay.
  void setSurface(QImage* surface);
  QImage* surface() const { return surface_; }

  void setPenColor(uint32_t colour) { penColour_ = colour & 0xFFFFFF; }
  uint32_t penColor() const { return penColour_; }
  void setBrushColor(uint32_t colour) { brushColour_ = colour & 0xFFFFFF; }
  uint32_t brushColor() const { return brushColour_; }
  void setTextColor(uint32_t colour) { textColour_ = colour & 0xFFFFFF; }
  uint32_t textColor() const { return textColour_; }

  // `points` at 96 dots per inch, so 20 points are 27 pixels. A family that
  // is not installed falls back to "Liberation Sans", then "DejaVu Sans".
  void setFont(const QString& family, int points);
  const QFont& font() const { return font_; }

  void moveTo(int x, int y);
  void lineTo(int x, int y);
  void rectangle(int left, int top, int right, int bottom);
  // Top-left corner of the text cell at (x, y).
  void textOut(int x, int y, const QString& text);

  // The colour at (x, y); 0xFFFFFFFF (no 24-bit colour) outside the surface.
  uint32_t pixel(int x, int y) const;

 private:
  void horizontalRun(int64_t x0, int64_t x1, int64_t y, uint32_t colour);  // x0..x1 inclusive
  void verticalRun(int64_t x, int64_t y0, int64_t y1, uint32_t colour);    // y0..y1 inclusive
  void slantedLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1);

  QImage* surface_ = nullptr;
  uint32_t penColour_ = 0x000000;
  uint32_t brushColour_ = 0xFFFFFF;
  uint32_t textColour_ = 0x000000;
  QFont font_;
  int x_ = 0;
  int y_ = 0;
};

}  // namespace korvalinx
