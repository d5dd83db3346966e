#pragma once
// Turning a cairo drawing into the straight RGBA pixels written to PNG files.
#include <cairo.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "paint.h"
#include "texture_job.h"

// Draws the job on a transparent surface and returns its pixels.
std::vector<uint8_t> RenderJob(const TextureJob& job);

// Cairo keeps premultiplied, native-endian ARGB; files want straight RGBA.
std::vector<uint8_t> StraightRgba(cairo_surface_t* surface);

// Gives fully transparent pixels the colour of the nearest visible pixel, so
// that filtering and mip levels do not pull dark fringes into the edges.
void BleedIntoTransparent(std::vector<uint8_t>& rgba, int width, int height);

// A picture computed pixel by pixel (straight colour at each pixel centre),
// painted over the whole of `cr` at its current transform and clip.
using PixelFunction = std::function<Rgba(double x, double y)>;
void PaintPixels(cairo_t* cr, int width, int height, const PixelFunction& pixel, double alpha = 1.0);
