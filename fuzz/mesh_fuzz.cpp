// The .msh reader on any bytes: the tree it builds is drawn and freed.
#include "core/graphics_device.h"
#include "fuzz_support.h"
#include "render/mesh.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EnterScratchFolder();
  fuzz::UseRecordingDevice();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::WriteBytes("models/fuzz.msh", data, size);
  Mesh mesh = loadMesh("models\\fuzz.msh");
  mesh.drawAt(D3DXVECTOR3(1, 2, 3), 0.5f);
  mesh.drawTransformed(D3DXVECTOR3(0, 17, 0), 10, 20, 30, 2.0f);
  releaseMesh(mesh);
  fuzz::UseRecordingDevice()->ClearLog();
  return 0;
}
