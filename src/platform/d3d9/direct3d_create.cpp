#include "platform/d3d9/d3d9.h"

#include <atomic>
#ifdef _WIN32
#include "platform/win32/d3d9_direct3d_win32.h"
#else
#include "platform/d3d9/gl/gl_direct3d.h"
#endif
#include "platform/d3d9/recording/recording_device.h"
#include "platform/test_hooks.h"

namespace d3d9 {
namespace {
Backend backend = Backend::OpenGL;
bool fixedFunctionForced = false;
std::atomic<bool> lossAskedFor{false};
}  // namespace

void SetBackend(Backend chosen) { backend = chosen; }

void ForceFixedFunctionCaps(bool force) { fixedFunctionForced = force; }
bool FixedFunctionCapsForced() { return fixedFunctionForced; }

void LoseDeviceForTests() { lossAskedFor = true; }
bool TakeDeviceLossForTests() { return lossAskedFor.exchange(false); }

}  // namespace d3d9

d3d9::Direct3D* Direct3DCreate9(UINT sdkVersion) {
  if (sdkVersion != D3D_SDK_VERSION) return nullptr;
  switch (d3d9::backend) {
#ifdef _WIN32
    case d3d9::Backend::OpenGL: return d3d9::CreateSystemDirect3D();
#else
    case d3d9::Backend::OpenGL: return d3d9::CreateGlDirect3D();
#endif
    case d3d9::Backend::Recording: return d3d9::CreateRecordingDirect3D();
    case d3d9::Backend::Unavailable: return nullptr;
  }
  return nullptr;
}
