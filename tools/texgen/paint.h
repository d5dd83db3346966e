#pragma once
// Colours and shapes shared by all pictures: the cartoon look comes from
// soft gradients, rounded shapes and dark outlines drawn the same way everywhere.
#include <cairo.h>

#include <cstdint>
#include <vector>

struct Rgba {
  double r = 0, g = 0, b = 0, a = 1;
};

Rgba Hex(uint32_t rgb, double alpha = 1.0);
Rgba Mix(const Rgba& from, const Rgba& to, double t);
Rgba Lighter(const Rgba& colour, double t);  // towards white
Rgba Darker(const Rgba& colour, double t);   // towards black
Rgba WithAlpha(const Rgba& colour, double alpha);

// The palette of the game's look.
namespace palette {
inline const Rgba kOutline = Hex(0x3A2416);
inline const Rgba kCream = Hex(0xFFF4D8);
inline const Rgba kHoney = Hex(0xFFC233);
inline const Rgba kAmber = Hex(0xF39A1E);
inline const Rgba kLeaf = Hex(0x78C850);
inline const Rgba kLeafDark = Hex(0x3C8C36);
inline const Rgba kSky = Hex(0x6EC8FF);
inline const Rgba kSea = Hex(0x2F9BDE);
inline const Rgba kRed = Hex(0xE8483A);
inline const Rgba kWhite = Hex(0xFFFFFF);
inline const Rgba kGrey = Hex(0x9AA0A8);
}  // namespace palette

void SetColour(cairo_t* cr, const Rgba& colour);

// A two-stop linear gradient as the current source.
void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1, const Rgba& from, const Rgba& to);
// A radial gradient centred at (cx, cy) from radius 0 to `radius`.
void SetRadial(cairo_t* cr, double cx, double cy, double radius, const Rgba& inner, const Rgba& outer);

struct Point {
  double x = 0, y = 0;
};

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
// A closed polygon whose corners are rounded with `radius`.
void RoundedPolygon(cairo_t* cr, const std::vector<Point>& corners, double radius);
// Hexagon with corners at the top and bottom and flat sides left and right,
// filling the box of half sizes rx (across the flats) and ry (corner to corner).
std::vector<Point> HexCorners(double cx, double cy, double rx, double ry);
void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double turn = 0.0);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);

// Fills the current path with `fill`, then strokes it with the outline colour;
// the path is consumed.
void FillAndOutline(cairo_t* cr, const Rgba& fill, const Rgba& outline, double width);
// Fills the current path with the current source, then outlines it.
void FillSourceAndOutline(cairo_t* cr, const Rgba& outline, double width);
// A soft drop shadow under a path: the path is filled several times, growing
// and fading; the path is kept.
void SoftShadow(cairo_t* cr, double dx, double dy, double spread, double alpha);
// Glossy highlight: a white ellipse fading downwards over the top of a shape.
void Gloss(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha);

// Everything in one picture drawn with the same rounded joins.
void PrepareCairo(cairo_t* cr);
