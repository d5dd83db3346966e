#include "platform/png_image.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

#include "platform/files.h"

namespace {

struct ReadSource {
  const unsigned char* data;
  size_t size;
  size_t at;
};

// Everything the decoder touches lives here, outside the setjmp frame, so a
// longjmp out of libpng leaves no object half-built on the stack.
struct DecodeState {
  ReadSource source;
  ArgbImage* image;
  std::vector<png_bytep> rows;
  char message[200];
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<ReadSource*>(png_get_io_ptr(png));
  if (length > source->size - source->at) png_error(png, "file is truncated");
  std::memcpy(out, source->data + source->at, length);
  source->at += length;
}

void OnError(png_structp png, png_const_charp message) {
  auto* state = static_cast<DecodeState*>(png_get_error_ptr(png));
  std::snprintf(state->message, sizeof state->message, "%s", message ? message : "PNG error");
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

bool DecodeWithLibpng(DecodeState* state) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, state, OnError, OnWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &state->source, ReadFromMemory);
  png_set_user_limits(png, kMaxPngSide, kMaxPngSide);
  png_set_chunk_malloc_max(png, 64u << 20);
  png_read_info(png, info);

  png_uint_32 width = 0, height = 0;
  int depth = 0, colourType = 0, interlace = 0;
  png_get_IHDR(png, info, &width, &height, &depth, &colourType, &interlace, nullptr, nullptr);
  if (int64_t(width) * height > kMaxPngPixels) png_error(png, "image is too large");
  state->image->hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);

  // Everything to 8-bit B, G, R, A bytes: one little-endian 0xAARRGGBB word.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t(width) * 4) png_error(png, "unexpected row layout");

  state->image->width = static_cast<int>(width);
  state->image->height = static_cast<int>(height);
  state->image->pixels.assign(size_t(width) * height, 0);
  state->rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y)
    state->rows[y] = reinterpret_cast<png_bytep>(state->image->pixels.data() + size_t(y) * width);
  png_read_image(png, state->rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

struct WriteState {
  FILE* file;
  std::vector<png_bytep> rows;
  std::vector<uint32_t> bgra;
};

bool EncodeWithLibpng(WriteState* state, const ArgbImage& image) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, OnWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, state->file);
  png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  png_write_image(png, state->rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool DecodePng(const std::vector<unsigned char>& bytes, ArgbImage* image, std::string* error) {
  *image = ArgbImage{};
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
    if (error) *error = "not a PNG file";
    return false;
  }
  DecodeState state{ReadSource{bytes.data(), bytes.size(), 0}, image, {}, "PNG error"};
  if (DecodeWithLibpng(&state)) return true;
  *image = ArgbImage{};
  if (error) *error = state.message;
  return false;
}

bool SavePng(const std::string& path, const ArgbImage& image) {
  if (image.width <= 0 || image.height <= 0 || image.pixels.size() != size_t(image.width) * image.height)
    return false;
  WriteState state{OpenFile(path, "wb"), {}, image.pixels};
  if (!state.file) return false;
  for (int y = 0; y < image.height; ++y)
    state.rows.push_back(reinterpret_cast<png_bytep>(state.bgra.data() + size_t(y) * image.width));
  bool ok = EncodeWithLibpng(&state, image);
  ok = std::fclose(state.file) == 0 && ok;
  return ok;
}
