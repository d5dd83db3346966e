#include "raster.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

Mat4 LookAtLH(Vec3 eye, Vec3 at, Vec3 up) {
  Vec3 z = Normalized(at - eye), x = Normalized(Cross(up, z)), y = Cross(z, x);
  Mat4 m;
  m.m[0][0] = x.x, m.m[0][1] = y.x, m.m[0][2] = z.x;
  m.m[1][0] = x.y, m.m[1][1] = y.y, m.m[1][2] = z.y;
  m.m[2][0] = x.z, m.m[2][1] = y.z, m.m[2][2] = z.z;
  m.m[3][0] = -Dot(x, eye), m.m[3][1] = -Dot(y, eye), m.m[3][2] = -Dot(z, eye);
  return m;
}

Mat4 PerspectiveFovLH(double fovY, double aspect, double zn, double zf) {
  double yScale = 1 / std::tan(fovY / 2), xScale = yScale / aspect, depth = zf / (zf - zn);
  Mat4 m;
  m.m[0][0] = xScale;
  m.m[1][1] = yScale;
  m.m[2][2] = depth;
  m.m[2][3] = 1;
  m.m[3][2] = -zn * depth;
  m.m[3][3] = 0;
  return m;
}

namespace {
struct Vec4 {
  double x, y, z, w;
};

Vec4 Project(Vec3 p, const Mat4& m) {
  return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
          p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
          p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2],
          p.x * m.m[0][3] + p.y * m.m[1][3] + p.z * m.m[2][3] + m.m[3][3]};
}

// One corner on its way to the screen.
struct ClipVertex {
  Vec4 clip;
  Vec3 world, normal;
  Vec2 uv;
};

ClipVertex Between(const ClipVertex& a, const ClipVertex& b, double t) {
  auto mix = [t](double p, double q) { return p + (q - p) * t; };
  return {{mix(a.clip.x, b.clip.x), mix(a.clip.y, b.clip.y), mix(a.clip.z, b.clip.z), mix(a.clip.w, b.clip.w)},
          Lerp(a.world, b.world, t),
          Lerp(a.normal, b.normal, t),
          {mix(a.uv.u, b.uv.u), mix(a.uv.v, b.uv.v)}};
}

// Keeps the part of a triangle in front of the near plane (z >= 0).
std::vector<ClipVertex> ClipNear(const std::array<ClipVertex, 3>& triangle) {
  std::vector<ClipVertex> out;
  for (int i = 0; i < 3; ++i) {
    const ClipVertex& a = triangle[i];
    const ClipVertex& b = triangle[(i + 1) % 3];
    bool aIn = a.clip.z >= 0, bIn = b.clip.z >= 0;
    if (aIn) out.push_back(a);
    if (aIn != bIn) out.push_back(Between(a, b, a.clip.z / (a.clip.z - b.clip.z)));
  }
  return out;
}

Colour Sample(const Image& texture, Vec2 uv) {
  double x = uv.u * texture.width - 0.5, y = uv.v * texture.height - 0.5;
  double fx = std::floor(x), fy = std::floor(y);
  int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  float ax = static_cast<float>(x - fx), ay = static_cast<float>(y - fy);
  auto texel = [&](int tx, int ty) {
    tx = ((tx % texture.width) + texture.width) % texture.width;
    ty = ((ty % texture.height) + texture.height) % texture.height;
    return texture.At(tx, ty);
  };
  Colour c00 = texel(x0, y0), c10 = texel(x0 + 1, y0), c01 = texel(x0, y0 + 1), c11 = texel(x0 + 1, y0 + 1);
  auto mix = [&](float p00, float p10, float p01, float p11) {
    return (p00 * (1 - ax) + p10 * ax) * (1 - ay) + (p01 * (1 - ax) + p11 * ax) * ay;
  };
  return {mix(c00.r, c10.r, c01.r, c11.r), mix(c00.g, c10.g, c01.g, c11.g), mix(c00.b, c10.b, c01.b, c11.b),
          mix(c00.a, c10.a, c01.a, c11.a)};
}

void FillTriangle(Canvas& canvas, const ClipVertex& a, const ClipVertex& b, const ClipVertex& c, const View& view,
                  const Image* texture, const Shading& shading) {
  const ClipVertex* v[3] = {&a, &b, &c};
  double sx[3], sy[3], sz[3], iw[3];
  int width = canvas.colour.width, height = canvas.colour.height;
  for (int i = 0; i < 3; ++i) {
    iw[i] = 1 / std::max(v[i]->clip.w, 1e-9);
    sx[i] = (v[i]->clip.x * iw[i] + 1) * 0.5 * width;
    sy[i] = (1 - v[i]->clip.y * iw[i]) * 0.5 * height;
    sz[i] = v[i]->clip.z * iw[i];
  }
  double area = (sx[1] - sx[0]) * (sy[2] - sy[0]) - (sx[2] - sx[0]) * (sy[1] - sy[0]);
  if (std::fabs(area) < 1e-12) return;
  int minX = std::max(0, static_cast<int>(std::floor(std::min({sx[0], sx[1], sx[2]}))));
  int maxX = std::min(width - 1, static_cast<int>(std::ceil(std::max({sx[0], sx[1], sx[2]}))));
  int minY = std::max(0, static_cast<int>(std::floor(std::min({sy[0], sy[1], sy[2]}))));
  int maxY = std::min(height - 1, static_cast<int>(std::ceil(std::max({sy[0], sy[1], sy[2]}))));
  Vec3 light = Normalized(shading.towardsLight);
  for (int y = minY; y <= maxY; ++y)
    for (int x = minX; x <= maxX; ++x) {
      double px = x + 0.5, py = y + 0.5;
      double w0 = ((sx[1] - px) * (sy[2] - py) - (sx[2] - px) * (sy[1] - py)) / area;
      double w1 = ((sx[2] - px) * (sy[0] - py) - (sx[0] - px) * (sy[2] - py)) / area;
      double w2 = 1 - w0 - w1;
      if (w0 < 0 || w1 < 0 || w2 < 0) continue;
      double z = w0 * sz[0] + w1 * sz[1] + w2 * sz[2];
      float& depth = canvas.depth[static_cast<size_t>(y) * width + x];
      if (z < 0 || z > 1 || z > depth) continue;
      // Perspective-correct attributes.
      double p0 = w0 * iw[0], p1 = w1 * iw[1], p2 = w2 * iw[2], sum = p0 + p1 + p2;
      p0 /= sum, p1 /= sum, p2 /= sum;
      Vec2 uv{p0 * a.uv.u + p1 * b.uv.u + p2 * c.uv.u, p0 * a.uv.v + p1 * b.uv.v + p2 * c.uv.v};
      Colour colour = texture ? Sample(*texture, uv) : Colour{0.75f, 0.75f, 0.75f, 1};
      if (shading.lit) {
        Vec3 normal = Normalized(a.normal * p0 + b.normal * p1 + c.normal * p2);
        Vec3 world = a.world * p0 + b.world * p1 + c.world * p2;
        if (Dot(normal, view.eye - world) < 0) normal = -normal;  // both sides are seen
        float lightness = static_cast<float>(shading.ambient + (1 - shading.ambient) * std::max(0.0, Dot(normal, light)));
        colour.r *= lightness, colour.g *= lightness, colour.b *= lightness;
      }
      Colour& out = canvas.colour.At(x, y);
      out.r = colour.r * colour.a + out.r * (1 - colour.a);
      out.g = colour.g * colour.a + out.g * (1 - colour.a);
      out.b = colour.b * colour.a + out.b * (1 - colour.a);
      depth = static_cast<float>(z);
    }
}
}  // namespace

void DrawModel(Canvas& canvas, const std::vector<PreviewNode>& nodes, const Mat4& world, const View& view,
               const Image* texture, const Shading& shading) {
  for (const PreviewNode& node : nodes) {
    Mat4 w = node.matrix * world;
    Mat4 wvp = w * view.view * view.projection;
    for (size_t i = 0; i + 2 < node.corners.size(); i += 3) {
      std::array<ClipVertex, 3> triangle;
      for (int k = 0; k < 3; ++k) {
        const PreviewCorner& corner = node.corners[i + k];
        triangle[k] = {Project(corner.position, wvp), TransformPoint(corner.position, w),
                       Normalized(TransformDirection(corner.normal, w)), corner.uv};
      }
      std::vector<ClipVertex> polygon = ClipNear(triangle);
      for (size_t k = 1; k + 1 < polygon.size(); ++k)
        FillTriangle(canvas, polygon[0], polygon[k], polygon[k + 1], view, texture, shading);
    }
  }
}

namespace {
// 5 x 7 glyphs, one string of 35 cells per character.
struct Glyph {
  char c;
  const char* rows;
};
const Glyph kGlyphs[] = {
    {'A', ".###.#...##...#######...##...##...#"}, {'B', "####.#...#####.#...##...##...#####."},
    {'C', ".###.#...##....#....#....#...#.###."}, {'D', "####.#...##...##...##...##...#####."},
    {'E', "######....####.#....#....#....#####"}, {'F', "######....####.#....#....#....#...."},
    {'G', ".###.#...##....#.####...##...#.###."}, {'H', "#...##...#######...##...##...##...#"},
    {'I', ".###...#....#....#....#....#...###."}, {'J', "..###...#....#....#....#.#..#..##.."},
    {'K', "#...##..#.#.#..##...#.#..#..#.#...#"}, {'L', "#....#....#....#....#....#....#####"},
    {'M', "#...###.###.#.##...##...##...##...#"}, {'N', "#...###..##.#.##..###...##...##...#"},
    {'O', ".###.#...##...##...##...##...#.###."}, {'P', "####.#...##...#####.#....#....#...."},
    {'Q', ".###.#...##...##...##.#.##..#..##.#"}, {'R', "####.#...##...#####.#.#..#..#.#...#"},
    {'S', ".####.....#.....###.....#....#####."}, {'T', "#####..#....#....#....#....#....#.."},
    {'U', "#...##...##...##...##...##...#.###."}, {'V', "#...##...##...##...##...#.#.#...#.."},
    {'W', "#...##...##...##.#.##.#.##.#.#.#.#."}, {'X', "#...##...#.#.#...#...#.#.#...##...#"},
    {'Y', "#...##...#.#.#...#....#....#....#.."}, {'Z', "#####....#...#...#...#...#....#####"},
    {'0', ".###.#...##..###.#.###..##...#.###."}, {'1', "..#...##....#....#....#....#...###."},
    {'2', ".###.#...#....#...#...#...#...#####"}, {'3', "#####...#...#.....#.....##...#.###."},
    {'4', "...#...##..#.#.#..#.#####...#....#."}, {'5', "######....####.....#....##...#.###."},
    {'6', "..##..#...#....####.#...##...#.###."}, {'7', "#####....#...#...#...#....#....#..."},
    {'8', ".###.#...##...#.###.#...##...#.###."}, {'9', ".###.#...##...#.####....#...#..##.."},
    {'_', "..............................#####"}, {'-', "...............###................."},
    {'.', "...............................##.."}, {'(', "...#...#...#....#....#.....#.....#."},
    {')', ".#.....#.....#....#....#...#...#..."}, {',', "........................##...#..#.."},
};
}  // namespace

void DrawLabel(Image& image, int x, int y, const char* text, int scale, Colour colour) {
  for (int i = 0; text[i]; ++i) {
    char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    for (const Glyph& glyph : kGlyphs) {
      if (glyph.c != c) continue;
      for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col) {
          if (glyph.rows[row * 5 + col] != '#') continue;
          for (int dy = 0; dy < scale; ++dy)
            for (int dx = 0; dx < scale; ++dx) {
              int px = x + (i * 6 + col) * scale + dx, py = y + row * scale + dy;
              if (px >= 0 && py >= 0 && px < image.width && py < image.height) image.At(px, py) = colour;
            }
        }
    }
  }
}
