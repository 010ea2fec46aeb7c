#include "graphics/draw/draw_path.h"

#include <cmath>

#include "graphics/draw/draw_format.h"

namespace zd {
namespace {

// Rounding of the cap arithmetic: halves (to within 0.001) go toward zero.
int RoundCap(double v) {
  if (std::isnan(v)) return 0;
  const double r = v >= 0 ? std::floor(v + 0.499) : std::ceil(v - 0.499);
  return int(std::clamp(r, -1.0e9, 1.0e9));
}

std::optional<DrawPoint> ReadPoint(ByteView data, size_t offset) {
  const auto x = data.I32(offset), y = data.I32(offset + 4);
  if (!x || !y) return std::nullopt;
  return DrawPoint{*x, *y};
}

class PathWalk {
 public:
  PathWalk(DrawSurface& surface, const DrawPlacement& placement, ByteView object)
      : surface_(surface), placement_(placement) {
    fillColour_ = object.U32(24).value_or(draw::TRANSPARENT);
    outlineColour_ = object.U32(28).value_or(draw::TRANSPARENT);
    lineWidth_ = object.I32(32).value_or(0);
    style_ = object.U32(36).value_or(0);
    penWidth_ = std::max(TruncPixels(lineWidth_ * placement.sx), 0);
    dotted_ = (style_ & draw::STYLE_DASHED) != 0;
    rule_ = (style_ & draw::STYLE_EVEN_ODD) ? FillRule::EvenOdd : FillRule::NonZero;
  }

  void Run(ByteView object) {
    size_t pos = 40;
    if (style_ & draw::STYLE_DASHED) {
      // The dash pattern (offset, count, count words) is stepped over: outlines are dotted.
      const auto count = object.U32(44);
      if (!count || *count > object.size() / 4) return;
      pos = 48 + size_t(*count) * 4;
    }
    // Every element takes at least one word, so the walk ends within the object.
    while (true) {
      const auto tag = object.U32(pos);
      if (!tag) return;  // no end of path: the subpath in progress is not drawn
      switch (*tag) {
        case draw::END_PATH: Finish(); return;
        case draw::MOVE_TO: {
          const auto p = ReadPoint(object, pos + 4);
          if (!p) return;
          Finish();
          Add(*p);
          current_ = *p;
          pos += 12;
          break;
        }
        case draw::LINE_TO: {
          const auto p = ReadPoint(object, pos + 4);
          if (!p) return;
          const Point pixel = ToPixel(*p);
          if (pixels_.empty() || pixels_.back() != pixel) Add(*p);
          current_ = *p;
          pos += 12;
          break;
        }
        case draw::BEZIER_TO: {
          const auto p1 = ReadPoint(object, pos + 4), p2 = ReadPoint(object, pos + 12),
                     p3 = ReadPoint(object, pos + 20);
          if (!p1 || !p2 || !p3) return;
          for (const DrawPoint& sample : FlattenBezier(current_, *p1, *p2, *p3)) Add(sample);
          current_ = *p3;
          pos += 28;
          break;
        }
        case draw::CLOSE_SUBPATH:
          Finish();
          pos += 4;
          break;
        default: return;  // an unknown element ends the path, and the subpath in progress with it
      }
    }
  }

 private:
  Point ToPixel(DrawPoint p) const { return {placement_.X(p.x), placement_.Y(p.y)}; }

  void Add(DrawPoint p) {
    if (pixels_.size() >= draw::MAX_SUBPATH_POINTS) return;
    pixels_.push_back(ToPixel(p));
    file_.push_back(p);
  }

  void Finish() {
    if (pixels_.size() >= 2) {
      if (fillColour_ != draw::TRANSPARENT) surface_.Polygon(pixels_, rule_, fillColour_);
      if (outlineColour_ != draw::TRANSPARENT) {
        surface_.Polyline(pixels_, penWidth_, dotted_, outlineColour_);
      }
      if (file_.front() != file_.back()) {
        Cap((style_ >> draw::START_CAP_SHIFT) & 3, pixels_.front(), file_[0], file_[1]);
        Cap((style_ >> draw::END_CAP_SHIFT) & 3, pixels_.back(), file_.back(),
            file_[file_.size() - 2]);
      }
    }
    pixels_.clear();
    file_.clear();
  }

  void Cap(uint32_t cap, Point pixel, DrawPoint end, DrawPoint before) {
    if (cap != draw::CAP_TRIANGLE || outlineColour_ == draw::TRANSPARENT) return;
    const int capWidth = int((style_ >> draw::TRIANGLE_CAP_WIDTH_SHIFT) & 0xFF);
    const std::vector<Point> triangle =
        TriangleCap(pixel, double(end.x) - before.x, double(end.y) - before.y, lineWidth_, capWidth,
                    placement_.sx, placement_.sy);
    if (triangle.empty()) return;
    surface_.Polygon(triangle, FillRule::NonZero, outlineColour_);
    const Point outline[] = {triangle[0], triangle[1], triangle[2], triangle[0]};
    surface_.Polyline(outline, 0, false, outlineColour_);
  }

  DrawSurface& surface_;
  const DrawPlacement& placement_;
  uint32_t fillColour_, outlineColour_, style_;
  int32_t lineWidth_;
  int penWidth_;
  bool dotted_;
  FillRule rule_;
  std::vector<Point> pixels_;
  std::vector<DrawPoint> file_;
  DrawPoint current_;
};

}  // namespace

std::vector<DrawPoint> FlattenBezier(DrawPoint p0, DrawPoint p1, DrawPoint p2, DrawPoint p3) {
  std::vector<DrawPoint> points;
  points.reserve(10);
  DrawPoint previous = p0;
  const auto sample = [](double a, double b, double c, double d, double t) {
    const double u = 1 - t;
    const double v = a * u * u * u + 3 * t * u * u * b + 3 * t * t * u * c + t * t * t * d + 0.5;
    return int32_t(std::clamp(std::trunc(v), -2147483648.0, 2147483647.0));
  };
  double t = 0;
  for (int k = 1; k <= 10; ++k) {
    t += 0.1;
    DrawPoint p = p3;
    if (k < 10) {
      p = {sample(p0.x, p1.x, p2.x, p3.x, t), sample(p0.y, p1.y, p2.y, p3.y, t)};
    }
    if (p == previous) continue;
    points.push_back(p);
    previous = p;
  }
  return points;
}

std::vector<Point> TriangleCap(Point end, double dx, double dy, int32_t lineWidth, int capWidth,
                               double sx, double sy) {
  const double length = std::hypot(dx, dy);
  if (!(length > 0)) return {};
  const double k = lineWidth / length;
  const int64_t a = RoundCap(dx * k), b = -int64_t(RoundCap(dy * k));
  const double a2 = double(a * capWidth / 16), b2 = double(b * capWidth / 16);
  return {{TruncPixels(end.x + a2 * sx), TruncPixels(end.y + b2 * sy)},
          {TruncPixels(end.x - b2 * sx), TruncPixels(end.y + a2 * sy)},
          {TruncPixels(end.x + b2 * sx), TruncPixels(end.y - a2 * sy)}};
}

void DrawPathObject(DrawSurface& surface, const DrawPlacement& placement, ByteView object) {
  PathWalk walk(surface, placement, object);
  walk.Run(object);
}

}  // namespace zd
