#include "paint.h"

#include <cmath>

Rgba Hex(uint32_t rgb, double alpha) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Rgba Mix(const Rgba& from, const Rgba& to, double t) {
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

Rgba Lighter(const Rgba& colour, double t) { return Mix(colour, {1, 1, 1, colour.a}, t); }
Rgba Darker(const Rgba& colour, double t) { return Mix(colour, {0, 0, 0, colour.a}, t); }
Rgba WithAlpha(const Rgba& colour, double alpha) { return {colour.r, colour.g, colour.b, alpha}; }

void SetColour(cairo_t* cr, const Rgba& colour) {
  cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, colour.a);
}

void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1, const Rgba& from, const Rgba& to) {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
  cairo_pattern_add_color_stop_rgba(pattern, 0, from.r, from.g, from.b, from.a);
  cairo_pattern_add_color_stop_rgba(pattern, 1, to.r, to.g, to.b, to.a);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
}

void SetRadial(cairo_t* cr, double cx, double cy, double radius, const Rgba& inner, const Rgba& outer) {
  cairo_pattern_t* pattern = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
  cairo_pattern_add_color_stop_rgba(pattern, 0, inner.r, inner.g, inner.b, inner.a);
  cairo_pattern_add_color_stop_rgba(pattern, 1, outer.r, outer.g, outer.b, outer.a);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
  radius = std::min(radius, std::min(w, h) * 0.5);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - radius, y + radius, radius, -M_PI / 2, 0);
  cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
  cairo_arc(cr, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
  cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void RoundedPolygon(cairo_t* cr, const std::vector<Point>& corners, double radius) {
  size_t n = corners.size();
  if (n < 3) return;
  cairo_new_sub_path(cr);
  for (size_t i = 0; i < n; ++i) {
    const Point& prev = corners[(i + n - 1) % n];
    const Point& cur = corners[i];
    const Point& next = corners[(i + 1) % n];
    double ax = prev.x - cur.x, ay = prev.y - cur.y;
    double bx = next.x - cur.x, by = next.y - cur.y;
    double la = std::hypot(ax, ay), lb = std::hypot(bx, by);
    double r = std::min(radius, std::min(la, lb) * 0.45);
    Point start{cur.x + ax / la * r, cur.y + ay / la * r};
    Point end{cur.x + bx / lb * r, cur.y + by / lb * r};
    if (i == 0) {
      cairo_move_to(cr, start.x, start.y);
    } else {
      cairo_line_to(cr, start.x, start.y);
    }
    cairo_curve_to(cr, cur.x, cur.y, cur.x, cur.y, end.x, end.y);
  }
  cairo_close_path(cr);
}

std::vector<Point> HexCorners(double cx, double cy, double rx, double ry) {
  return {{cx, cy - ry}, {cx + rx, cy - ry * 0.5}, {cx + rx, cy + ry * 0.5},
          {cx, cy + ry}, {cx - rx, cy + ry * 0.5}, {cx - rx, cy - ry * 0.5}};
}

void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double turn) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    double angle = -M_PI / 2 + turn + M_PI * i / points;
    double r = (i % 2 == 0) ? outer : inner;
    double x = cx + std::cos(angle) * r, y = cy + std::sin(angle) * r;
    if (i == 0) {
      cairo_move_to(cr, x, y);
    } else {
      cairo_line_to(cr, x, y);
    }
  }
  cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void FillAndOutline(cairo_t* cr, const Rgba& fill, const Rgba& outline, double width) {
  SetColour(cr, fill);
  FillSourceAndOutline(cr, outline, width);
}

void FillSourceAndOutline(cairo_t* cr, const Rgba& outline, double width) {
  cairo_fill_preserve(cr);
  SetColour(cr, outline);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void SoftShadow(cairo_t* cr, double dx, double dy, double spread, double alpha) {
  cairo_path_t* path = cairo_copy_path(cr);
  cairo_save(cr);
  cairo_translate(cr, dx, dy);
  const int steps = 6;
  for (int i = steps; i >= 1; --i) {
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    cairo_set_source_rgba(cr, 0.1, 0.05, 0.0, alpha / steps);
    cairo_set_line_width(cr, spread * 2.0 * i / steps);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
  }
  cairo_restore(cr);
  cairo_new_path(cr);
  cairo_append_path(cr, path);
  cairo_path_destroy(path);
}

void Gloss(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
  cairo_save(cr);
  Ellipse(cr, cx, cy, rx, ry);
  SetLinear(cr, cx, cy - ry, cx, cy + ry, {1, 1, 1, alpha}, {1, 1, 1, 0});
  cairo_fill(cr);
  cairo_restore(cr);
}

void PrepareCairo(cairo_t* cr) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);
}
