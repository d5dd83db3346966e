#include "app/device_recovery.h"

#include "core/graphics_device.h"
#include "render/quad_buffers.h"
#include "render/texture_cache.h"

namespace {
HRESULT ResetDevice() {
  // The stream's binding holds its buffer too.
  Device->SetStreamSource(0, nullptr, 0, 0);
  ReleaseUnitQuadBuffer();
  ReleaseBillboardQuadBuffer();
  const HRESULT result = Device->Reset(&Graphics.PresentParameters);
  if (FAILED(result)) return result;
  RestoreDeviceStates();
  SetStageAndSamplerDefaults();
  CreateUnitQuadBuffer();
  CreateBillboardQuadBuffer();
  return result;
}
}  // namespace

bool DeviceReadyToDraw() {
  HRESULT level = Device->TestCooperativeLevel();
  if (level == D3DERR_DEVICENOTRESET) level = ResetDevice();
  return SUCCEEDED(level);
}
