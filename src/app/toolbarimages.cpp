#include "toolbarimages.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace {

// The colour the pictures' background is drawn in, made transparent after:
// one no picture uses.
COLORREF MaskColor(const TPictureColors& c) {
  for (COLORREF mask : {RGB(255, 0, 255), RGB(0, 255, 1), RGB(1, 2, 3)})
    if (mask != c.Ink && mask != c.Paper && mask != c.Fold && mask != c.Blue && mask != c.Green &&
        mask != c.Yellow && mask != c.DarkYellow && mask != c.Grey && mask != c.Orange &&
        mask != c.Purple)
      return mask;
  return RGB(2, 3, 4); // a theme of three colours cannot take all three
}

// Draws in a grid of 16 x 16 units, whatever the bitmap's size.
class TPainter {
public:
  TPainter(HDC dc, int size, const TPictureColors& colors) : C(colors), DC(dc), Size(size) {}

  // The colours of the pictures, by what they stand for.
  const TPictureColors& C;

  int X(double units) const { return static_cast<int>(std::lround(units * Size / 16.0)); }
  int Line() const { return std::max(1, Size / 16); }

  void Polygon(std::initializer_list<POINT> units, COLORREF fill) { Polygon(units, fill, C.Ink); }
  void Polygon(std::initializer_list<POINT> units, COLORREF fill, COLORREF edge) {
    std::vector<POINT> points;
    for (POINT p : units) points.push_back({X(p.x), X(p.y)});
    const TTools tools(DC, fill, edge, Line());
    ::Polygon(DC, points.data(), static_cast<int>(points.size()));
  }
  void Rect(double left, double top, double right, double bottom, COLORREF fill) {
    Rect(left, top, right, bottom, fill, C.Ink);
  }
  void Rect(double left, double top, double right, double bottom, COLORREF fill, COLORREF edge) {
    const TTools tools(DC, fill, edge, Line());
    Rectangle(DC, X(left), X(top), X(right), X(bottom));
  }
  // A thick stroke from one point to another.
  void Stroke(double x1, double y1, double x2, double y2, COLORREF color, double width) {
    const TPenHandle pen(CreatePen(PS_SOLID, std::max(1, X(width)), color));
    const TSelection chosen(DC, pen.Get());
    MoveToEx(DC, X(x1), X(y1), nullptr);
    LineTo(DC, X(x2), X(y2));
  }
  // An arrowhead at (x, y) pointing along (dx, dy).
  void Head(double x, double y, double dx, double dy, double length, COLORREF color) {
    const double norm = std::hypot(dx, dy);
    dx /= norm;
    dy /= norm;
    const double back = length, half = length * 0.6;
    const POINT tip{X(x + dx * length * 0.35), X(y + dy * length * 0.35)};
    const POINT left{X(x - dx * back * 0.65 - dy * half), X(y - dy * back * 0.65 + dx * half)};
    const POINT right{X(x - dx * back * 0.65 + dy * half), X(y - dy * back * 0.65 - dx * half)};
    const POINT points[] = {tip, left, right};
    const TTools tools(DC, color, color, Line());
    ::Polygon(DC, points, 3);
  }
  // A thick arc of a circle, clockwise on the screen from one angle to
  // another (radians, zero to the right), filled as one shape so that its
  // edges stay smooth.
  void Circle(double cx, double cy, double r, double from, double to, COLORREF color,
              double width) {
    constexpr int steps = 48;
    std::vector<POINT> points;
    for (int side = 0; side < 2; ++side) {
      const double radius = side == 0 ? r + width / 2 : r - width / 2;
      for (int step = 0; step <= steps; ++step) {
        const int i = side == 0 ? step : steps - step;
        const double angle = from + (to - from) * i / steps;
        points.push_back({X(cx + radius * std::cos(angle)), X(cy + radius * std::sin(angle))});
      }
    }
    const TTools tools(DC, color, color, 1);
    ::Polygon(DC, points.data(), static_cast<int>(points.size()));
  }
  // A filled rectangle without an outline, so that small parts stay apart.
  void Fill(double left, double top, double right, double bottom, COLORREF color) {
    const RECT box{X(left), X(top), X(right), X(bottom)};
    const TBrushHandle brush(CreateSolidBrush(color));
    FillRect(DC, &box, brush.Get());
  }
  // A line through the points, its corners rounded.
  void Path(std::initializer_list<POINT> points, double thirds, COLORREF color) {
    std::vector<POINT> pixels;
    for (POINT p : points) pixels.push_back({X(p.x / 3.0), X(p.y / 3.0)});
    const TPenHandle pen(CreatePen(PS_SOLID, std::max(1, X(thirds / 3.0)), color));
    const TSelection chosen(DC, pen.Get());
    Polyline(DC, pixels.data(), static_cast<int>(pixels.size()));
  }
  // An arrowhead whose base is centred on (x, y), its tip length away along
  // (dx, dy).
  void Arrow(double x, double y, double dx, double dy, double length, double halfWidth,
             COLORREF color) {
    const double norm = std::hypot(dx, dy);
    dx /= norm;
    dy /= norm;
    const POINT points[] = {{X(x + dx * length), X(y + dy * length)},
                            {X(x - dy * halfWidth), X(y + dx * halfWidth)},
                            {X(x + dy * halfWidth), X(y - dx * halfWidth)}};
    const TTools tools(DC, color, color, 1);
    ::Polygon(DC, points, 3);
  }
  void Text(const char* text, double left, double top, double right, double bottom, double height,
            COLORREF color, int weight) {
    const TFontHandle font(CreateFontA(-X(height), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                       NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Arial"));
    const TSelection chosen(DC, font.Get());
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, color);
    RECT box{X(left), X(top), X(right), X(bottom)};
    DrawTextA(DC, text, -1, &box, DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
  }

private:
  // A fill and an edge chosen for one shape, put back when it is drawn.
  struct TTools {
    TTools(HDC dc, COLORREF fill, COLORREF edge, int penWidth)
        : Brush(CreateSolidBrush(fill)), Pen(CreatePen(PS_SOLID, penWidth, edge)),
          BrushChosen(dc, Brush.Get()), PenChosen(dc, Pen.Get()) {}
    TBrushHandle Brush;
    TPenHandle Pen;
    TSelection BrushChosen, PenChosen;
  };

  HDC DC;
  int Size;
};

// A blank page with a folded corner.
void DrawNew(TPainter& p) {
  p.Polygon({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}, p.C.Paper);
  p.Polygon({{10, 1}, {10, 4}, {13, 4}}, p.C.Fold);
}

// An open folder.
void DrawOpen(TPainter& p) {
  p.Polygon({{1, 3}, {5, 3}, {6, 5}, {13, 5}, {13, 13}, {1, 13}}, p.C.DarkYellow);
  p.Polygon({{4, 7}, {15, 7}, {12, 13}, {1, 13}}, p.C.Yellow);
}

// A floppy disk.
void DrawSaveLog(TPainter& p) {
  p.Rect(1, 1, 15, 15, p.C.Blue);
  p.Rect(4, 1, 12, 7, p.C.Paper);
  p.Rect(4, 10, 12, 15, p.C.Grey);
  p.Rect(9, 11, 11, 14, p.C.Ink, p.C.Ink);
}

// A play sign.
void DrawStart(TPainter& p) { p.Polygon({{4, 2}, {13, 8}, {4, 14}}, p.C.Green); }

// A circular arrow: go round once more.
void DrawReview(TPainter& p) {
  constexpr double pi = 3.14159265358979;
  const double cx = 8, cy = 8.5, r = 5;
  // Clockwise from the lower right round to the upper right, open between.
  const double first = pi / 4, last = 2 * pi - pi / 3;
  p.Circle(cx, cy, r, first, last, p.C.Orange, 2.2);
  // The head carries on along the circle's course.
  p.Arrow(cx + r * std::cos(last), cy + r * std::sin(last), -std::sin(last), std::cos(last), 4, 3,
          p.C.Orange);
}

// Bullets and lines.
void DrawList(TPainter& p) {
  for (int row = 0; row < 4; ++row) {
    const double middle = 3.5 + row * 3.5;
    p.Fill(1.5, middle - 1, 3.5, middle + 1, p.C.Blue);
    p.Fill(5.5, middle - 0.5, 14.5, middle + 0.5, p.C.Ink);
  }
}

// Two lines that cross on their way to the right.
void DrawShuffle(TPainter& p) {
  // In thirds of a unit, so that the turns fall on whole numbers.
  p.Path({{3, 13}, {14, 13}, {28, 35}, {35, 35}}, 5, p.C.Purple);
  p.Path({{3, 35}, {14, 35}, {28, 13}, {35, 13}}, 5, p.C.Purple);
  p.Arrow(11.5, 11.67, 1, 0, 3.5, 2.5, p.C.Purple);
  p.Arrow(11.5, 4.33, 1, 0, 3.5, 2.5, p.C.Purple);
}

// Two arrows changing places.
void DrawSwap(TPainter& p) {
  p.Stroke(2, 5, 12, 5, p.C.Blue, 1.8);
  p.Head(13, 5, 1, 0, 5, p.C.Blue);
  p.Stroke(4, 11, 14, 11, p.C.Green, 1.8);
  p.Head(3, 11, -1, 0, 5, p.C.Green);
}

// Upper and lower case.
void DrawCase(TPainter& p) {
  p.Text("A", 0, 1, 9, 15, 13, p.C.Ink, FW_BOLD);
  p.Text("a", 7, 3, 16, 15, 10, p.C.Blue, FW_BOLD);
}

} // namespace

const TPictureColors kOwnPictureColors = {
    .Ink = RGB(48, 48, 48),
    .Paper = RGB(255, 255, 255),
    .Fold = RGB(200, 200, 200),
    .Blue = RGB(47, 111, 208),
    .Green = RGB(46, 160, 67),
    .Yellow = RGB(245, 200, 66),
    .DarkYellow = RGB(200, 146, 30),
    .Grey = RGB(150, 150, 150),
    .Orange = RGB(224, 112, 32),
    .Purple = RGB(128, 72, 176),
};

TPictureColors ThemePictureColors(COLORREF ink, COLORREF paper, COLORREF accent) {
  // What the own colours fill stands out in the accent; the pale parts are
  // paper, the rest is told apart by its outline.
  return {.Ink = ink,
          .Paper = paper,
          .Fold = paper,
          .Blue = accent,
          .Green = accent,
          .Yellow = accent,
          .DarkYellow = paper,
          .Grey = paper,
          .Orange = accent,
          .Purple = accent};
}

bool SystemHighContrast() {
  HIGHCONTRASTA contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

THighContrast HighContrastOn = SystemHighContrast;

TImageListHandle CreateToolBarImages(int size, const TPictureColors& colors) {
  using TDraw = void (*)(TPainter&);
  constexpr TDraw pictures[tpCount] = {DrawNew,  DrawOpen,    DrawSaveLog, DrawStart, DrawReview,
                                       DrawList, DrawShuffle, DrawSwap,    DrawCase};
  constexpr int count = tpCount;
  TImageListHandle images(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0));
  TBitmapHandle bitmap;
  {
    const TWindowDC screen(nullptr);
    const TMemoryDC dc(CreateCompatibleDC(screen.Get()));
    bitmap.Reset(CreateCompatibleBitmap(screen.Get(), size * count, size));
    if (!images || !dc || !bitmap) return {};
    // The bitmap is drawn on, then let go by the device context.
    const TSelection canvas(dc.Get(), bitmap.Get());
    const RECT all{0, 0, size * count, size};
    const TBrushHandle mask(CreateSolidBrush(MaskColor(colors)));
    FillRect(dc.Get(), &all, mask.Get());
    for (int i = 0; i < count; ++i) {
      SetViewportOrgEx(dc.Get(), i * size, 0, nullptr);
      TPainter painter(dc.Get(), size, colors);
      pictures[i](painter);
    }
    SetViewportOrgEx(dc.Get(), 0, 0, nullptr);
  }
  if (ImageList_AddMasked(images.Get(), bitmap.Get(), MaskColor(colors)) < 0) return {};
  return images;
}
