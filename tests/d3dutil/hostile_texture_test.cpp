// Texture paths that name something other than a file: the font files give
// their sheet's path as they like, and the loader must come back at once.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "d3dutil/texture_loader.h"
#include "support/recording.h"
#include "platform/files.h"

namespace {

HRESULT LoadTexture(d3d9::Device* device, const std::string& path) {
  d3d9::Texture* texture = reinterpret_cast<d3d9::Texture*>(1);
  HRESULT result = D3DXCreateTextureFromFileExA(device, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                                D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, 0x70003, 0x70003, 0, nullptr,
                                                nullptr, &texture);
  EXPECT_EQ(texture, nullptr) << path;
  return result;
}

// /dev/zero never ends and a pipe without a writer blocks on opening: before,
// the first filled the memory and the second hung the start-up.
TEST(HostileTexturePath, DevicesPipesAndFoldersAreNotRead) {
  auto* device = support::NewRecordingDevice();
  const std::string folder = testing::TempDir() + "/kestrin_hostile_texture_" + std::to_string(getpid());
  std::filesystem::create_directories(folder);
  const std::string pipe = folder + "/sheet.png";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);

  EXPECT_EQ(LoadTexture(device, "/dev/zero"), D3DERR_NOTFOUND);
  EXPECT_EQ(LoadTexture(device, pipe), D3DERR_NOTFOUND);
  EXPECT_EQ(LoadTexture(device, folder), D3DERR_NOTFOUND);
  std::vector<unsigned char> bytes;
  EXPECT_FALSE(ReadWholeFile("/dev/zero", bytes));
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(device->CreatedTextures(), 0);

  std::filesystem::remove_all(folder);
  device->Release();
}

}  // namespace
