// The built-in images of the bin folder: plain black and the error picture
// that stands in for every texture that could not be loaded.
#include "paint.h"
#include "texture_job.h"

namespace {

void DrawBlack(cairo_t* cr, double, double) {
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
}

// Magenta and black squares: impossible to mistake for real content.
void DrawError(cairo_t* cr, double w, double h) {
  const int squares = 8;
  double sx = w / squares, sy = h / squares;
  for (int j = 0; j < squares; ++j) {
    for (int i = 0; i < squares; ++i) {
      if ((i + j) % 2 == 0) {
        cairo_set_source_rgb(cr, 1.0, 0.0, 1.0);
      } else {
        cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
      }
      cairo_rectangle(cr, i * sx, j * sy, sx, sy);
      cairo_fill(cr);
    }
  }
}

}  // namespace

void AddBuiltInJobs(std::vector<TextureJob>& jobs) {
  jobs.push_back({"bin/black", "bin/black.png", 16, 16, DrawBlack});
  jobs.push_back({"bin/error", "bin/error.png", 64, 64, DrawError});
}
