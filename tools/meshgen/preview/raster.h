#pragma once
// A small software rasteriser for the model preview, with the game's
// conventions: row vectors, left-handed view and projection, depth range
// 0 .. 1, texture row 0 at v = 0 with wrapping, alpha blending that still
// writes depth, no culling.
#include <vector>

#include "image.h"
#include "msh_file.h"

struct View {
  Mat4 view, projection;
  Vec3 eye;
};

Mat4 LookAtLH(Vec3 eye, Vec3 at, Vec3 up);
Mat4 PerspectiveFovLH(double fovY, double aspect, double zn, double zf);

struct Canvas {
  Image colour;
  std::vector<float> depth;
  Canvas(int width, int height, Colour background)
      : colour(width, height, background), depth(static_cast<size_t>(width) * height, 1.0f) {}
};

struct Shading {
  bool lit = true;
  Vec3 towardsLight{0.4, 1.0, -0.5};
  double ambient = 0.45;
};

// Draws every node of a model, each with W = node matrix x world. A null
// texture shades with plain grey.
void DrawModel(Canvas& canvas, const std::vector<PreviewNode>& nodes, const Mat4& world, const View& view,
               const Image* texture, const Shading& shading);

// Draws text in a 5 x 7 pixel font (upper case, digits, '_', '-', '.'),
// scaled by `scale`, with its top left corner at x, y.
void DrawLabel(Image& image, int x, int y, const char* text, int scale, Colour colour);
