// PNG decoding on any bytes, and the texture loader making a texture with its
// mip chain from a file of those bytes, as the game loads every texture.
#include <vector>

#include "core/graphics_device.h"
#include "d3dutil/texture_loader.h"
#include "fuzz_support.h"
#include "platform/png_image.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EnterScratchFolder();
  fuzz::UseRecordingDevice();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<unsigned char> bytes(data, data + size);
  ArgbImage image;
  std::string error;
  const bool decoded = DecodePng(bytes, &image, &error);
  if (decoded && (image.width <= 0 || image.height <= 0 ||
                  image.pixels.size() != static_cast<size_t>(image.width) * image.height))
    __builtin_trap();
  // Large pictures only cost time here; the loader's scaling is the same.
  if (!decoded || static_cast<int64_t>(image.width) * image.height > (1 << 20)) return 0;
  fuzz::WriteBytes("textures/fuzz.png", data, size);
  d3d9::Texture* texture = nullptr;
  HRESULT result = D3DXCreateTextureFromFileExA(Device, "textures\\fuzz.png", D3DX_DEFAULT, D3DX_DEFAULT,
                                                D3DX_DEFAULT, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, 0x70003, 0x70003,
                                                0, nullptr, nullptr, &texture);
  if (SUCCEEDED(result) != (texture != nullptr)) __builtin_trap();
  if (texture) texture->Release();
  return 0;
}
