// Skins of the 3D models. Natural surfaces tile seamlessly; the others follow
// the layouts the meshes map them with (mushroom cap above its gills and
// stem, hammer handle beside its head, flag pole along the left edge, the
// bee's face, stripes and wing, the binoculars' body above their lens).
#include <algorithm>
#include <cmath>
#include <string>

#include "icons.h"
#include "level_colours.h"
#include "noise.h"
#include "paint.h"
#include "surface.h"
#include "texture_job.h"

namespace {

// Noise over a tile of `size` pixels with `cells` lattice cells across, so
// that it repeats seamlessly.
float TiledFbm(double x, double y, double size, int cells, int octaves, uint32_t seed) {
  return Fbm(float(x * cells / size), float(y * cells / size), cells, octaves, seed);
}

// Draws `draw` at (x, y) and again wherever it would cross an edge, so
// scattered details tile too.
template <typename Draw>
void Wrapped(double x, double y, double reach, double size, Draw draw) {
  for (int oy = -1; oy <= 1; ++oy) {
    for (int ox = -1; ox <= 1; ++ox) {
      double px = x + ox * size, py = y + oy * size;
      if (px + reach < 0 || py + reach < 0 || px - reach > size || py - reach > size) continue;
      draw(px, py);
    }
  }
}

void DrawGrass(cairo_t* cr, double s, uint32_t seed, const Rgba& dark, const Rgba& light, int blades) {
  PaintPixels(cr, int(s), int(s), [&](double x, double y) {
    float n = TiledFbm(x, y, s, 8, 4, seed);
    return Mix(dark, light, std::clamp((n - 0.25) * 1.6, 0.0, 1.0));
  });
  Rng rng(seed);
  for (int i = 0; i < blades; ++i) {
    double x = rng.Range(0, s), y = rng.Range(0, s);
    double len = rng.Range(s * 0.03, s * 0.07), lean = rng.Range(-0.5, 0.5);
    Rgba colour = rng.Uniform() < 0.5 ? Lighter(light, 0.25) : Darker(dark, 0.15);
    colour.a = 0.7;
    Wrapped(x, y, len, s, [&](double px, double py) {
      cairo_move_to(cr, px, py);
      cairo_curve_to(cr, px + lean * len * 0.3, py - len * 0.5, px + lean * len, py - len * 0.8, px + lean * len * 1.2,
                     py - len);
      SetColour(cr, colour);
      cairo_set_line_width(cr, s * 0.008);
      cairo_stroke(cr);
    });
  }
}

// Grass blades map their root to the bottom row and their tip to the top row.
void DrawBlades(cairo_t* cr, double s, double) {
  PaintPixels(cr, int(s), int(s), [s](double x, double y) {
    double height = 1.0 - y / s;
    float streak = TiledFbm(x, y * 0.05, s, 32, 2, 201);
    Rgba base = Mix(Hex(0x2F7A22), Hex(0xA8E060), std::pow(height, 0.8));
    return Mix(base, Darker(base, 0.25), std::clamp((0.55 - streak) * 2.0, 0.0, 1.0));
  });
  Rng rng(202);
  for (int i = 0; i < 60; ++i) {
    double x = rng.Range(0, s);
    Wrapped(x, s / 2, s * 0.02, s, [&](double px, double) {
      cairo_move_to(cr, px, s);
      cairo_line_to(cr, px + s * 0.004, 0);
      SetColour(cr, Hex(0xE8FFB0, 0.25));
      cairo_set_line_width(cr, s * 0.006);
      cairo_stroke(cr);
    });
  }
}

void DrawMeadow(cairo_t* cr, double s, double) {
  DrawGrass(cr, s, 301, Hex(0x58B038), Hex(0x9AD85A), 900);
  Rng rng(302);
  const Rgba blossoms[4] = {Hex(0xFFFFFF), Hex(0xFFE14A), Hex(0xFF8AC0), Hex(0xB08AFF)};
  for (int i = 0; i < 40; ++i) {
    double x = rng.Range(0, s), y = rng.Range(0, s);
    Rgba colour = blossoms[rng.Next() % 4];
    Wrapped(x, y, s * 0.02, s, [&](double px, double py) { DrawFlowerIcon(cr, px, py, s * 0.035, colour, 5); });
  }
}

// Islands use one texture for their grassy top and their sides, so these mix
// grass with bare earth or sand.
void DrawGrassAndEarth(cairo_t* cr, double s, double) {
  PaintPixels(cr, int(s), int(s), [s](double x, double y) {
    float patches = TiledFbm(x, y, s, 4, 4, 501);
    float grain = TiledFbm(x, y, s, 32, 2, 502);
    Rgba grass = Mix(Hex(0x4E9E30), Hex(0x86CC4C), grain);
    Rgba earth = Mix(Hex(0x8A5A32), Hex(0xB8804A), grain);
    double bare = std::clamp((patches - 0.5) * 6.0, 0.0, 1.0);
    return Mix(grass, earth, bare);
  });
  Rng rng(503);
  for (int i = 0; i < 30; ++i) {
    double x = rng.Range(0, s), y = rng.Range(0, s), r = rng.Range(s * 0.01, s * 0.024);
    Wrapped(x, y, r * 1.5, s, [&](double px, double py) {
      Ellipse(cr, px, py, r * 1.3, r);
      SetLinear(cr, 0, py - r, 0, py + r, Hex(0xD0C8BC), Hex(0x7A7066));
      FillSourceAndOutline(cr, Hex(0x4A3420, 0.8), s * 0.003);
    });
  }
}

void DrawSandAndGrass(cairo_t* cr, double s, double) {
  PaintPixels(cr, int(s), int(s), [s](double x, double y) {
    float warp = TiledFbm(x, y, s, 4, 2, 601);
    double ripple = std::sin((y / s * 12.0 + warp * 2.0) * 2 * M_PI) * 0.5 + 0.5;
    float grain = TiledFbm(x, y, s, 64, 2, 602);
    Rgba sand = Mix(Hex(0xE8C888), Hex(0xFFE6A8), ripple * 0.5 + (grain - 0.5) * 0.7 + 0.2);
    float tufts = TiledFbm(x, y, s, 6, 3, 604);
    Rgba grass = Mix(Hex(0x8CB840), Hex(0xB8D860), grain);
    return Mix(sand, grass, std::clamp((tufts - 0.55) * 5.0, 0.0, 1.0));
  });
  Rng rng(603);
  for (int i = 0; i < 30; ++i) {
    double x = rng.Range(0, s), y = rng.Range(0, s), r = rng.Range(s * 0.006, s * 0.014);
    Rgba colour = rng.Uniform() < 0.5 ? Hex(0xFFF8E8) : Hex(0xC8A070);
    Wrapped(x, y, r * 2, s, [&](double px, double py) {
      Ellipse(cr, px, py, r * 1.4, r);
      SetColour(cr, colour);
      cairo_fill(cr);
    });
  }
}

void DrawStone(cairo_t* cr, double s, double) {
  PaintPixels(cr, int(s), int(s), [s](double x, double y) {
    float n = TiledFbm(x, y, s, 6, 5, 701);
    float vein = TiledFbm(x, y, s, 4, 4, 702);
    double ridge = 1.0 - std::abs(vein - 0.5) * 2.0;  // 1 on the vein
    Rgba colour = Mix(Hex(0x7E8A9A), Hex(0xC4CCD8), std::clamp((n - 0.3) * 1.7, 0.0, 1.0));
    return Mix(colour, Hex(0x5A6474), std::clamp((ridge - 0.9) * 6.0, 0.0, 0.6));
  });
  Rng rng(703);
  for (int i = 0; i < 120; ++i) {
    double x = rng.Range(0, s), y = rng.Range(0, s), r = rng.Range(s * 0.003, s * 0.008);
    Rgba colour = rng.Uniform() < 0.6 ? Hex(0xE8EEF4, 0.8) : Hex(0x4A5260, 0.6);
    Wrapped(x, y, r, s, [&](double px, double py) {
      cairo_arc(cr, px, py, r, 0, 2 * M_PI);
      SetColour(cr, colour);
      cairo_fill(cr);
    });
  }
}

// Bark runs along v (down the log).
void DrawBark(cairo_t* cr, double s, double) {
  PaintPixels(cr, int(s), int(s), [s](double x, double y) {
    float warp = TiledFbm(x, y, s, 4, 2, 801);
    double ridges = std::sin((x / s * 10.0 + warp * 1.2) * 2 * M_PI);
    float fine = TiledFbm(x * 3, y * 0.3, s, 16, 2, 802);
    double shade = 0.5 + ridges * 0.3 + (fine - 0.5) * 0.5;
    return Mix(Hex(0x5A3418), Hex(0xA8703C), std::clamp(shade, 0.0, 1.0));
  });
}

// Planks across u, their grain along u.
void DrawPlanks(cairo_t* cr, double s, double) {
  const int planks = 4;
  PaintPixels(cr, int(s), int(s), [s](double x, double y) {
    int plank = int(y / (s / planks));
    float warp = TiledFbm(x, y, s, 4, 2, 901 + plank);
    double grain = std::sin((y / s * 40.0 + warp * 4.0) * 2 * M_PI) * 0.5 + 0.5;
    Rgba base = plank % 2 ? Hex(0xD89A58) : Hex(0xC88A48);
    return Mix(base, Hex(0x8A5628), grain * 0.35);
  });
  for (int i = 0; i <= planks; ++i) {
    double y = i * s / planks;
    cairo_rectangle(cr, 0, y - s * 0.008, s, s * 0.016);
    SetColour(cr, Hex(0x4A2A12));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, y + s * 0.008, s, s * 0.01);
    SetColour(cr, Hex(0xFFFFFF, 0.25));
    cairo_fill(cr);
    if (i < planks) {
      for (double x : {s * 0.12, s * 0.88}) {
        cairo_arc(cr, x, y + s / planks * 0.5, s * 0.012, 0, 2 * M_PI);
        SetColour(cr, Hex(0x5A6470));
        cairo_fill(cr);
      }
    }
  }
}

// Cap in the top half, stem and gills in the bottom half.
void DrawMushroom(cairo_t* cr, double s, const Rgba& cap, const Rgba& spots, uint32_t seed) {
  cairo_rectangle(cr, 0, 0, s, s / 2);
  SetLinear(cr, 0, 0, 0, s / 2, Lighter(cap, 0.15), Darker(cap, 0.15));
  cairo_fill(cr);
  Rng rng(seed);
  for (int i = 0; i < 14; ++i) {
    double x = rng.Range(0, s), y = rng.Range(s * 0.05, s * 0.42), r = rng.Range(s * 0.025, s * 0.05);
    for (int ox = -1; ox <= 1; ++ox) {
      Ellipse(cr, x + ox * s, y, r * 1.2, r);
      SetColour(cr, spots);
      cairo_fill(cr);
    }
  }
  cairo_rectangle(cr, 0, s / 2, s, s / 2);
  SetLinear(cr, 0, s / 2, 0, s, Hex(0xFFF6E4), Hex(0xE8D8B8));
  cairo_fill(cr);
  SetColour(cr, Hex(0xC8B490, 0.6));
  cairo_set_line_width(cr, s * 0.006);
  for (int i = 0; i < 32; ++i) {
    double x = i * s / 32;
    cairo_move_to(cr, x, s * 0.5);
    cairo_line_to(cr, x, s * 0.62);
    cairo_stroke(cr);
  }
}

// A panorama: zenith in the top row, horizon in the middle, nadir at the
// bottom. The islands float above a soft sea of clouds, which is most of
// what the round's camera sees.
void DrawSky(cairo_t* cr, double w, double h) {
  PaintPixels(cr, int(w), int(h), [w, h](double x, double y) {
    double v = y / h;
    float n = Fbm(float(x / w * 6.0), float(y / h * 5.0), 6, 5, 1001);
    float shade = Fbm(float(x / w * 6.0), float(y / h * 5.0 + 0.25), 6, 3, 1001);
    Rgba cloudColour = Mix(Hex(0xFFFFFF), Hex(0xD4E2F0), std::clamp((0.6 - shade) * 2.0, 0.0, 1.0));
    if (v < 0.5) {
      Rgba sky = Mix(Hex(0x3A9CF0), Hex(0xBCE8FF), std::pow(v / 0.5, 1.6));
      double band = std::exp(-std::pow((v - 0.32) / 0.14, 2));
      double cloud = std::clamp((n * band - 0.3) * 5.0, 0.0, 1.0);
      return Mix(sky, cloudColour, cloud);
    }
    // Below the horizon: blue haze deepening towards the nadir, with puffs
    // of cloud that have shaded undersides. Kept clearly blue, so that the
    // pale island edges and the white interface do not melt into it.
    double depth = (v - 0.5) / 0.5;
    Rgba haze = Mix(Hex(0xB4E0FA), Hex(0x7FBDEA), std::pow(depth, 0.8));
    Rgba puff = Mix(Hex(0xF6FBFF), Hex(0xA9C6E4), std::clamp((0.62 - shade) * 2.5, 0.0, 1.0));
    double cover = std::clamp((n - 0.48) * 3.2, 0.0, 1.0) * (0.85 - 0.25 * depth);
    return Mix(haze, puff, cover);
  });
}

// The bee's head, seen from the front over the whole texture.
void DrawBeeHead(cairo_t* cr, double s, double) {
  PaintPixels(cr, int(s), int(s), [s](double x, double y) {
    float fuzz = TiledFbm(x, y, s, 32, 2, 1101);
    return Mix(Hex(0x3A281A), Hex(0x5A4030), fuzz);
  });
  for (int side = -1; side <= 1; side += 2) {
    double ex = s * (0.5 + side * 0.2), ey = s * 0.42;
    Ellipse(cr, ex, ey, s * 0.13, s * 0.16);
    FillAndOutline(cr, palette::kWhite, palette::kOutline, s * 0.015);
    cairo_arc(cr, ex - side * s * 0.02, ey + s * 0.02, s * 0.075, 0, 2 * M_PI);
    SetColour(cr, Hex(0x15100C));
    cairo_fill(cr);
    cairo_arc(cr, ex - side * s * 0.02 - s * 0.03, ey - s * 0.02, s * 0.025, 0, 2 * M_PI);
    SetColour(cr, palette::kWhite);
    cairo_fill(cr);
    Ellipse(cr, s * (0.5 + side * 0.3), s * 0.66, s * 0.06, s * 0.035);
    SetColour(cr, Hex(0xFF8A8A, 0.6));
    cairo_fill(cr);
  }
  cairo_arc(cr, s * 0.5, s * 0.6, s * 0.1, 0.25, M_PI - 0.25);
  SetColour(cr, Hex(0xFFB0A0));
  cairo_set_line_width(cr, s * 0.025);
  cairo_stroke(cr);
}

// Stripes as image rows, from the neck (top row) to the tail's tip (bottom
// rows, dark, where the sting samples it).
void DrawBeeBody(cairo_t* cr, double s, double) {
  PaintPixels(cr, int(s), int(s), [s](double x, double y) {
    const double edges[] = {0.2, 0.36, 0.54, 0.7, 0.84};
    double v = y / s;
    int band = 0;
    double nearest = 1.0;
    for (double e : edges) {
      if (v >= e) ++band;
      nearest = std::min(nearest, std::abs(v - e));
    }
    bool dark = band % 2 == 1;
    float fuzz = TiledFbm(x, y, s, 32, 2, 1201);
    Rgba yellow = Mix(Hex(0xF5A316), Hex(0xFFD84A), fuzz);
    Rgba black = Mix(Hex(0x2A1C12), Hex(0x4A3424), fuzz);
    Rgba colour = dark ? black : yellow;
    // Soft, fuzzy borders between the stripes.
    double blend = std::clamp(0.5 - nearest * s / 6.0 + (fuzz - 0.5) * 0.6, 0.0, 0.5);
    return Mix(colour, dark ? yellow : black, blend);
  });
}

void DrawWing(cairo_t* cr, double s, double) {
  Ellipse(cr, s / 2, s / 2, s * 0.47, s * 0.47);
  SetRadial(cr, s * 0.4, s * 0.4, s * 0.6, Hex(0xFFFFFF, 0.75), Hex(0xB8E4FF, 0.5));
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  SetColour(cr, Hex(0x6A8AA8, 0.55));
  cairo_set_line_width(cr, s * 0.012);
  for (int i = 0; i < 5; ++i) {
    cairo_move_to(cr, s * 0.1, s * 0.5);
    cairo_curve_to(cr, s * 0.4, s * (0.5 + (i - 2) * 0.05), s * 0.7, s * (0.5 + (i - 2) * 0.15), s,
                   s * (0.5 + (i - 2) * 0.22));
    cairo_stroke(cr);
  }
  // The leading edge along the top is stiffer.
  cairo_move_to(cr, s * 0.05, s * 0.45);
  cairo_curve_to(cr, s * 0.25, s * 0.1, s * 0.6, s * 0.02, s * 0.95, s * 0.35);
  SetColour(cr, Hex(0x4A6A88, 0.6));
  cairo_set_line_width(cr, s * 0.02);
  cairo_stroke(cr);
  cairo_restore(cr);
  SetColour(cr, Hex(0x4A6A88, 0.8));
  cairo_set_line_width(cr, s * 0.02);
  cairo_stroke(cr);
}

// The barrels' rubber armour in the upper 72% (objective at the top row,
// eyepiece at the 72% line) with metal rings at both ends; below, metal
// round the lens, which is a disc 13% above the bottom edge.
void DrawBinocularsSkin(cairo_t* cr, double s, double) {
  PaintPixels(cr, int(s), int(s), [s](double x, double y) {
    double v = y / s;
    float grain = TiledFbm(x, y, s, 64, 2, 1301);
    float brush = TiledFbm(x * 0.1, y * 4, s, 16, 2, 1302);
    Rgba metal = Mix(Hex(0x8A96A6), Hex(0xE8EEF4), 0.3 + brush * 0.6);
    if (v < 0.07 || (v > 0.64 && v < 0.72) || v >= 0.72) return metal;
    return Mix(Hex(0x2E3A4C), Hex(0x46566C), grain);
  });
  double cx = s * 0.5, cy = s * 0.87, r = s * 0.11;
  cairo_arc(cr, cx, cy, r * 1.15, 0, 2 * M_PI);
  SetColour(cr, Hex(0x3A4656));
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  SetRadial(cr, cx - r * 0.3, cy - r * 0.3, r * 1.3, Hex(0xC8F0FF), Hex(0x1E6AB0));
  cairo_fill(cr);
  Ellipse(cr, cx - r * 0.35, cy - r * 0.35, r * 0.35, r * 0.22);
  SetColour(cr, Hex(0xFFFFFF, 0.8));
  cairo_fill(cr);
}

// Wooden handle on the left half, steel head on the right half.
void DrawHammerSkin(cairo_t* cr, double s, double) {
  PaintPixels(cr, int(s), int(s), [s](double x, double y) {
    if (x < s / 2) {
      float warp = TiledFbm(x, y, s, 4, 2, 1401);
      double grain = std::sin((x / s * 24.0 + warp * 3.0) * 2 * M_PI) * 0.5 + 0.5;
      return Mix(Hex(0xE0A060), Hex(0xA8682E), grain * 0.5);
    }
    float brush = TiledFbm(x * 4, y * 0.15, s, 16, 2, 1402);
    return Mix(Hex(0x8A96A6), Hex(0xE0E6EE), 0.3 + brush * 0.6);
  });
}

// The pole samples the strip 2% .. 11% from the left (its knob at the top),
// the cloth the image from 14% to the right edge.
void DrawFlagSkin(cairo_t* cr, double s, double) {
  cairo_rectangle(cr, 0, 0, s, s);
  SetLinear(cr, 0, 0, 0, s, Hex(0xFF5A48), Hex(0xD8302A));
  cairo_fill(cr);
  double cloth = s * 0.14, mid = (cloth + s) / 2;
  SetColour(cr, Hex(0xFFFFFF, 0.9));
  cairo_rectangle(cr, cloth, s * 0.1, s - cloth, s * 0.06);
  cairo_rectangle(cr, cloth, s * 0.84, s - cloth, s * 0.06);
  cairo_fill(cr);
  RoundedPolygon(cr, HexCorners(mid, s * 0.5, s * 0.2, s * 0.23), s * 0.03);
  FillAndOutline(cr, Hex(0xFFD45C), palette::kOutline, s * 0.02);
  DrawBombIcon(cr, mid, s * 0.52, s * 0.3);
  cairo_rectangle(cr, 0, 0, s * 0.125, s);
  SetLinear(cr, s * 0.02, 0, s * 0.11, 0, Hex(0xD89A58), Hex(0x7A4A22));
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 0, s * 0.125, s * 0.08);
  SetLinear(cr, 0, 0, 0, s * 0.08, Hex(0xFFE27A), Hex(0xE8A010));
  cairo_fill(cr);
}

// Seen from above, centred; everything within a third of the width from the
// middle is petal, since the mesh maps its top view there and transparent
// texels would still hide the cells behind.
void DrawFlower(cairo_t* cr, double s, const Rgba& petals) {
  double c = s / 2;
  const int count = 8;
  cairo_arc(cr, c, c, s * 0.34, 0, 2 * M_PI);
  SetRadial(cr, c, c, s * 0.34, Darker(petals, 0.15), petals);
  cairo_fill(cr);
  for (int ring = 0; ring < 2; ++ring) {
    for (int i = 0; i < count; ++i) {
      cairo_save(cr);
      cairo_translate(cr, c, c);
      cairo_rotate(cr, 2 * M_PI * (i + ring * 0.5) / count);
      double length = ring == 0 ? s * 0.24 : s * 0.18, width = ring == 0 ? s * 0.1 : s * 0.08;
      Ellipse(cr, 0, -length, width, length);
      Rgba colour = ring == 0 ? petals : Lighter(petals, 0.3);
      SetLinear(cr, 0, -2 * length, 0, 0, Lighter(colour, 0.3), Darker(colour, 0.1));
      FillSourceAndOutline(cr, Darker(petals, 0.5), s * 0.008);
      cairo_restore(cr);
    }
  }
  cairo_arc(cr, c, c, s * 0.09, 0, 2 * M_PI);
  SetRadial(cr, c - s * 0.03, c - s * 0.03, s * 0.12, Hex(0xFFE680), Hex(0xD8800E));
  FillSourceAndOutline(cr, Hex(0x7A4A10), s * 0.008);
  Rng rng(1500);
  for (int i = 0; i < 16; ++i) {
    double a = rng.Range(0, 2 * M_PI), d = rng.Range(0, s * 0.07);
    cairo_arc(cr, c + std::cos(a) * d, c + std::sin(a) * d, s * 0.008, 0, 2 * M_PI);
    SetColour(cr, Hex(0x8A4A10, 0.7));
    cairo_fill(cr);
  }
}

}  // namespace

void AddSkinJobs(std::vector<TextureJob>& jobs) {
  AddTexture(jobs, "trava", 256, 256, DrawBlades);
  AddTexture(jobs, "ostrov", 512, 512, DrawMeadow);
  AddTexture(jobs, "ostrov1", 512, 512, DrawGrassAndEarth);
  AddTexture(jobs, "ostrov12", 512, 512, DrawSandAndGrass);
  AddTexture(jobs, "kamen", 256, 256, DrawStone);
  AddTexture(jobs, "brevno11", 256, 256, DrawBark);
  AddTexture(jobs, "doska", 256, 256, DrawPlanks);
  AddTexture(jobs, "grib", 256, 256, [](cairo_t* cr, double s, double) {
    DrawMushroom(cr, s, Hex(0xE8403A), Hex(0xFFFFFF), 1601);
  });
  AddTexture(jobs, "mushroom", 256, 256, [](cairo_t* cr, double s, double) {
    DrawMushroom(cr, s, Hex(0xC8783A), Hex(0xFFE8C0), 1602);
  });
  AddTexture(jobs, "newsky", 1024, 512, DrawSky);
  AddTexture(jobs, "bee", 256, 256, DrawBeeHead);
  AddTexture(jobs, "body", 256, 256, DrawBeeBody);
  AddTexture(jobs, "wing", 256, 256, DrawWing);
  AddTexture(jobs, "binokol", 256, 256, DrawBinocularsSkin);
  AddTexture(jobs, "molot", 256, 256, DrawHammerSkin);
  AddTexture(jobs, "flag", 256, 256, DrawFlagSkin);
  for (int level = 1; level <= 9; ++level) {
    AddTexture(jobs, "f_" + std::to_string(level), 256, 256,
               [level](cairo_t* cr, double s, double) { DrawFlower(cr, s, LevelColour(level)); });
  }
}
