#include "fuzz_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/graphics_device.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "render/quad_buffers.h"

namespace fuzz {
namespace {

std::string scratchFolder;

void RemoveScratchFolder() {
  std::error_code ignored;
  if (!scratchFolder.empty()) std::filesystem::remove_all(scratchFolder, ignored);
}

}  // namespace

void EnterScratchFolder() {
  if (!scratchFolder.empty()) return;
  // In memory where possible: saving files syncs them, which costs far more
  // on a disk than the rest of a run.
  std::string pattern = std::filesystem::is_directory("/dev/shm") ? "/dev/shm/kestrin_fuzz_XXXXXX"
                                                                   : "/tmp/kestrin_fuzz_XXXXXX";
  if (!mkdtemp(pattern.data())) std::abort();
  scratchFolder = pattern;
  std::atexit(RemoveScratchFolder);
  std::filesystem::current_path(scratchFolder);
  for (const char* folder : {"bin/shdr", "bin/shdrpart", "data", "maps/bin", "models", "snd", "textures"})
    std::filesystem::create_directories(folder);
  if (!std::freopen("/dev/null", "w", stdout)) std::abort();
  SetTestClock(1000000);
  SetClockSource(TestClock);
}

void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
}

void RemoveFile(const std::string& path) { std::remove(path.c_str()); }

d3d9::RecordingDevice* UseRecordingDevice() {
  static d3d9::RecordingDevice* device = nullptr;
  if (!device) {
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = 800;
    parameters.BackBufferHeight = 600;
    parameters.EnableAutoDepthStencil = 1;
    device = new d3d9::RecordingDevice(parameters, D3DCREATE_HARDWARE_VERTEXPROCESSING);
    Device = device;
    Graphics.ShaderPath = 1;
    Graphics.VertexFormat = 0;
    D3DXMatrixIdentity(&Graphics.WorldMatrix);
    D3DXMatrixIdentity(&Graphics.ViewMatrix);
    D3DXMatrixIdentity(&Graphics.ProjectionMatrix);
    CreateUnitQuadBuffer();
    device->SetStreamSource(0, QuadBuffers.UnitQuadBuffer, 0, sizeof(Vertex));
  }
  Device = device;
  return device;
}

FILE* NullStream() {
  static FILE* stream = std::fopen("/dev/null", "w");
  return stream;
}

}  // namespace fuzz
