#include "surface.h"

#include <algorithm>
#include <deque>

#include "paint.h"

void AddTexture(std::vector<TextureJob>& jobs, const std::string& name, int width, int height, DrawFunction draw) {
  jobs.push_back({name, "textures/" + name + ".png", width, height, std::move(draw)});
}

std::vector<uint8_t> StraightRgba(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  int width = cairo_image_surface_get_width(surface);
  int height = cairo_image_surface_get_height(surface);
  int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
    for (int x = 0; x < width; ++x) {
      uint32_t pixel = row[x];
      uint32_t a = pixel >> 24;
      uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
      uint8_t* out = &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4];
      if (a == 0) {
        out[0] = out[1] = out[2] = out[3] = 0;
        continue;
      }
      out[0] = uint8_t(std::min<uint32_t>(255, (r * 255 + a / 2) / a));
      out[1] = uint8_t(std::min<uint32_t>(255, (g * 255 + a / 2) / a));
      out[2] = uint8_t(std::min<uint32_t>(255, (b * 255 + a / 2) / a));
      out[3] = uint8_t(a);
    }
  }
  return rgba;
}

void BleedIntoTransparent(std::vector<uint8_t>& rgba, int width, int height) {
  size_t count = size_t(width) * size_t(height);
  std::vector<uint8_t> filled(count, 0);
  std::deque<size_t> queue;
  for (size_t i = 0; i < count; ++i) {
    if (rgba[i * 4 + 3] != 0) {
      filled[i] = 1;
      queue.push_back(i);
    }
  }
  if (queue.empty()) return;
  // Breadth first from every visible pixel: each transparent pixel takes the
  // colour of the pixel it was reached from.
  while (!queue.empty()) {
    size_t i = queue.front();
    queue.pop_front();
    int x = int(i % size_t(width)), y = int(i / size_t(width));
    const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
    for (int k = 0; k < 4; ++k) {
      int nx = x + dx[k], ny = y + dy[k];
      if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
      size_t n = size_t(ny) * size_t(width) + size_t(nx);
      if (filled[n]) continue;
      filled[n] = 1;
      rgba[n * 4 + 0] = rgba[i * 4 + 0];
      rgba[n * 4 + 1] = rgba[i * 4 + 1];
      rgba[n * 4 + 2] = rgba[i * 4 + 2];
      queue.push_back(n);
    }
  }
}

std::vector<uint8_t> RenderJob(const TextureJob& job) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, job.width, job.height);
  cairo_t* cr = cairo_create(surface);
  PrepareCairo(cr);
  job.draw(cr, job.width, job.height);
  cairo_destroy(cr);
  std::vector<uint8_t> rgba = StraightRgba(surface);
  cairo_surface_destroy(surface);
  BleedIntoTransparent(rgba, job.width, job.height);
  return rgba;
}

void PaintPixels(cairo_t* cr, int width, int height, const PixelFunction& pixel, double alpha) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
    for (int x = 0; x < width; ++x) {
      Rgba c = pixel(x + 0.5, y + 0.5);
      auto channel = [](double v) { return uint32_t(std::clamp(v, 0.0, 1.0) * 255.0 + 0.5); };
      uint32_t a = channel(c.a);
      uint32_t r = (channel(c.r) * a + 127) / 255, g = (channel(c.g) * a + 127) / 255;
      uint32_t b = (channel(c.b) * a + 127) / 255;
      row[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(surface);
  cairo_set_source_surface(cr, surface, 0, 0);
  cairo_paint_with_alpha(cr, alpha);
  cairo_surface_destroy(surface);
}
