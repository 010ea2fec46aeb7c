#include "graphics/shapes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace zd {
namespace {

struct PointF {
  double x = 0, y = 0;
};

// An edge crossing the scanlines yStart .. yEnd - 1 (at their pixel centres).
struct Edge {
  int yStart = 0, yEnd = 0;
  double x0 = 0, y0 = 0, slope = 0;  // x at centre row y is x0 + (y + 0.5 - y0) * slope
  int direction = 0;
};

// Whole pixel positions of title data can lie anywhere; a double clamped this far out still
// converts to int safely and lies well outside any canvas.
int ClampToInt(double v) { return int(std::clamp(v, -1.0e9, 1.0e9)); }

void FillSpan(Canvas& canvas, int y, double xa, double xb, uint8_t index) {
  const Rect& clip = canvas.clip();
  const int start = std::max(ClampToInt(std::ceil(xa - 0.5)), clip.left);
  const int end = std::min(ClampToInt(std::ceil(xb - 0.5)), clip.right);
  if (end > start) std::memset(canvas.Row(y) + start, index, size_t(end - start));
}

// The polygon filler proper, on points already in canvas pixels.
void FillPolygonsF(Canvas& canvas, std::span<const PointF> points, std::span<const int> counts,
                   FillRule rule, uint8_t index) {
  const Rect& clip = canvas.clip();
  if (clip.empty()) return;
  std::vector<Edge> edges;
  edges.reserve(points.size());
  size_t first = 0;
  for (const int count : counts) {
    if (count <= 0) continue;
    const size_t n = std::min(size_t(count), points.size() - first);
    for (size_t i = 0; i < n; ++i) {
      const PointF a = points[first + i];
      const PointF b = points[first + (i + 1) % n];
      if (a.y == b.y) continue;
      const PointF& top = a.y < b.y ? a : b;
      const PointF& bottom = a.y < b.y ? b : a;
      Edge e;
      e.yStart = std::max(ClampToInt(std::ceil(top.y - 0.5)), clip.top);
      e.yEnd = std::min(ClampToInt(std::ceil(bottom.y - 0.5)), clip.bottom);
      if (e.yEnd <= e.yStart) continue;
      e.x0 = top.x;
      e.y0 = top.y;
      e.slope = (bottom.x - top.x) / (bottom.y - top.y);
      e.direction = b.y > a.y ? 1 : -1;
      edges.push_back(e);
    }
    first += n;
    if (first >= points.size()) break;
  }
  if (edges.empty()) return;
  std::sort(edges.begin(), edges.end(),
            [](const Edge& l, const Edge& r) { return l.yStart < r.yStart; });

  // The active edges, kept in order of their crossing of the current scanline. From one
  // scanline to the next the order hardly changes, so an insertion sort restores it in about
  // one pass.
  struct Active {
    double x;
    const Edge* edge;
  };
  std::vector<Active> active;
  size_t next = 0;
  int y = edges.front().yStart;
  while (next < edges.size() || !active.empty()) {
    if (active.empty()) y = std::max(y, edges[next].yStart);
    size_t kept = 0;
    for (const Active& a : active) {
      if (a.edge->yEnd > y) active[kept++] = a;
    }
    active.resize(kept);
    const size_t added = next;
    while (next < edges.size() && edges[next].yStart <= y) active.push_back({0, &edges[next++]});
    if (active.empty()) continue;
    const double centre = y + 0.5;
    for (Active& a : active) a.x = a.edge->x0 + (centre - a.edge->y0) * a.edge->slope;
    if (next - added > 8) {
      // Many edges start here (wide lines start a band at every point): a full sort is cheaper.
      std::sort(active.begin(), active.end(),
                [](const Active& l, const Active& r) { return l.x < r.x; });
    }
    for (size_t i = 1; i < active.size(); ++i) {
      const Active moving = active[i];
      size_t j = i;
      while (j > 0 && active[j - 1].x > moving.x) {
        active[j] = active[j - 1];
        --j;
      }
      active[j] = moving;
    }
    if (rule == FillRule::EvenOdd) {
      for (size_t i = 0; i + 1 < active.size(); i += 2) {
        FillSpan(canvas, y, active[i].x, active[i + 1].x, index);
      }
    } else {
      int winding = 0;
      for (size_t i = 0; i + 1 < active.size(); ++i) {
        winding += active[i].edge->direction;
        if (winding != 0) FillSpan(canvas, y, active[i].x, active[i + 1].x, index);
      }
    }
    ++y;
  }
}

double SignedArea(std::span<const PointF> p) {
  double area = 0;
  for (size_t i = 0; i < p.size(); ++i) {
    const PointF& a = p[i];
    const PointF& b = p[(i + 1) % p.size()];
    area += a.x * b.y - b.x * a.y;
  }
  return area;
}

// Appends a closed run turning the same way as every other run, so that the non-zero rule
// fills the union of all of them.
void AddRun(std::vector<PointF>& points, std::vector<int>& counts, std::vector<PointF> run) {
  if (SignedArea(run) < 0) std::reverse(run.begin(), run.end());
  points.insert(points.end(), run.begin(), run.end());
  counts.push_back(int(run.size()));
}

// Floor of a / b for b > 0.
int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// One pixel wide, from `a` up to but not including `b`. Only the part over the clip is stepped
// through; `phase` counts the pixels of the whole line for the dots.
void ThinSegment(Canvas& canvas, Point a, Point b, bool dotted, int64_t& phase, uint8_t index) {
  const Rect& clip = canvas.clip();
  const int64_t x0 = int64_t(a.x) + canvas.originX(), y0 = int64_t(a.y) + canvas.originY();
  const int64_t dx = int64_t(b.x) - a.x, dy = int64_t(b.y) - a.y;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const int64_t length = xMajor ? std::llabs(dx) : std::llabs(dy);
  if (length == 0) return;
  const int64_t step = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const int64_t minor = xMajor ? dy : dx;
  const int64_t majorStart = xMajor ? x0 : y0;
  const int64_t lo = xMajor ? clip.left : clip.top, hi = (xMajor ? clip.right : clip.bottom) - 1;
  // Steps i in [0, length) whose major coordinate majorStart + i * step lies in [lo, hi].
  int64_t first = step > 0 ? lo - majorStart : majorStart - hi;
  int64_t last = step > 0 ? hi - majorStart : majorStart - lo;
  first = std::max<int64_t>(first, 0);
  last = std::min<int64_t>(last, length - 1);
  for (int64_t i = first; i <= last; ++i) {
    if (dotted && (phase + i) % 6 >= 3) continue;
    const int64_t m = majorStart + i * step;
    const int64_t n = (xMajor ? y0 : x0) + FloorDiv(2 * i * minor + length, 2 * length);
    const int64_t x = xMajor ? m : n, y = xMajor ? n : m;
    if (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom) {
      canvas.Row(int(y))[x] = index;
    }
  }
  phase += length;
}

}  // namespace

void FillPolygons(Canvas& canvas, std::span<const Point> points, std::span<const int> counts,
                  FillRule rule, uint8_t index) {
  std::vector<PointF> placed;
  placed.reserve(points.size());
  for (const Point& p : points) {
    placed.push_back({double(p.x) + canvas.originX(), double(p.y) + canvas.originY()});
  }
  FillPolygonsF(canvas, placed, counts, rule, index);
}

void DrawPolyline(Canvas& canvas, std::span<const Point> points, const Pen& pen) {
  if (points.empty() || canvas.clip().empty()) return;
  if (pen.width <= 1) {
    int64_t phase = 0;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
      ThinSegment(canvas, points[i], points[i + 1], pen.dotted, phase, pen.index);
    }
    return;
  }
  // Pixel (x, y) is the square from x to x + 1: the band runs along the pixels' centres.
  const double radius = pen.width / 2.0;
  const auto centre = [&](const Point& p) {
    return PointF{double(p.x) + canvas.originX() + 0.5, double(p.y) + canvas.originY() + 0.5};
  };
  const int sides = int(std::clamp(radius * 4, 8.0, 64.0));
  std::vector<PointF> circle;
  for (int k = sides - 1; k >= 0; --k) {  // turning the way AddRun turns every run
    const double angle = 2 * M_PI * k / sides;
    circle.push_back({radius * std::cos(angle), radius * std::sin(angle)});
  }
  if (SignedArea(circle) < 0) std::reverse(circle.begin(), circle.end());
  std::vector<PointF> polygon;
  std::vector<int> counts;
  polygon.reserve(points.size() * size_t(sides + 4));
  for (size_t i = 0; i < points.size(); ++i) {
    const PointF c = centre(points[i]);
    for (const PointF& p : circle) polygon.push_back({c.x + p.x, c.y + p.y});
    counts.push_back(sides);
    if (i + 1 == points.size()) break;
    const PointF d = centre(points[i + 1]);
    const double length = std::hypot(d.x - c.x, d.y - c.y);
    if (length == 0) continue;
    const double nx = -(d.y - c.y) / length * radius, ny = (d.x - c.x) / length * radius;
    AddRun(
        polygon, counts,
        {{c.x + nx, c.y + ny}, {d.x + nx, d.y + ny}, {d.x - nx, d.y - ny}, {c.x - nx, c.y - ny}});
  }
  FillPolygonsF(canvas, polygon, counts, FillRule::NonZero, pen.index);
}

}  // namespace zd
