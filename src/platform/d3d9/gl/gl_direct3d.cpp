#include "platform/d3d9/gl/gl_direct3d.h"

#include "platform/d3d9/gl/gl_device.h"
#include "platform/test_hooks.h"
#include "platform/d3d9/gl/gl_surface.h"

namespace d3d9 {
namespace {

bool probed = false;
bool probeResult = false;
GlCaps probedCaps;

D3DCAPS9 CapsFrom(const GlCaps& gl) {
  D3DCAPS9 caps{};
  caps.DeviceType = D3DDEVTYPE_HAL;
  caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
  caps.TextureFilterCaps = D3DPTFILTERCAPS_MINFPOINT | D3DPTFILTERCAPS_MINFLINEAR | D3DPTFILTERCAPS_MIPFPOINT |
                           D3DPTFILTERCAPS_MIPFLINEAR | D3DPTFILTERCAPS_MAGFPOINT | D3DPTFILTERCAPS_MAGFLINEAR;
  caps.MaxAnisotropy = 1;
  if (gl.maxAnisotropy > 0) {
    caps.TextureFilterCaps |= D3DPTFILTERCAPS_MINFANISOTROPIC | D3DPTFILTERCAPS_MAGFANISOTROPIC;
    caps.MaxAnisotropy = static_cast<DWORD>(gl.maxAnisotropy);
  }
  DWORD size = gl.maxTextureSize > 0 ? static_cast<DWORD>(gl.maxTextureSize) : 0;
  caps.MaxTextureWidth = caps.MaxTextureHeight = size < kMaxTextureSize ? size : kMaxTextureSize;
  caps.MaxSimultaneousTextures = kMaxStages;
  caps.MaxStreams = 1;
  caps.MaxVertexShaderConst = kFloatConstants;
  if (FixedFunctionCapsForced()) {
    caps.VertexShaderVersion = D3DVS_VERSION(1, 1);
    caps.PixelShaderVersion = D3DPS_VERSION(1, 1);
  } else {
    caps.VertexShaderVersion = D3DVS_VERSION(2, 0);
    caps.PixelShaderVersion = D3DPS_VERSION(2, 0);
  }
  return caps;
}

class GlDirect3D : public Direct3D {
 public:
  explicit GlDirect3D(const GlCaps& caps) : gl_(caps) {}

  HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) override {
    if (!caps || adapter != 0 || type != D3DDEVTYPE_HAL) return D3DERR_INVALIDCALL;
    *caps = CapsFrom(gl_);
    return D3D_OK;
  }

  HRESULT CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type, D3DFORMAT, BOOL, D3DMULTISAMPLE_TYPE samples,
                                     DWORD* qualityLevels) override {
    if (adapter != 0 || type != D3DDEVTYPE_HAL) return D3DERR_INVALIDCALL;
    bool accepted = samples == D3DMULTISAMPLE_NONE ||
                    (samples == D3DMULTISAMPLE_NONMASKABLE && gl_.maxSamples >= 2) ||
                    (samples >= D3DMULTISAMPLE_2_SAMPLES && samples <= D3DMULTISAMPLE_16_SAMPLES &&
                     GLint(samples) <= gl_.maxSamples);
    if (!accepted) return D3DERR_NOTAVAILABLE;
    if (qualityLevels) *qualityLevels = 1;
    return D3D_OK;
  }

  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD, D3DPRESENT_PARAMETERS* parameters,
                       Device** device) override {
    if (!device) return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (!parameters || adapter != 0 || type != D3DDEVTYPE_HAL) return D3DERR_INVALIDCALL;
    D3DMULTISAMPLE_TYPE samples = parameters->MultiSampleType;
    if (samples != D3DMULTISAMPLE_NONE && FAILED(CheckDeviceMultiSampleType(0, type, D3DFMT_A8R8G8B8, 1, samples,
                                                                           nullptr)))
      return D3DERR_INVALIDCALL;
    if (samples == D3DMULTISAMPLE_NONMASKABLE) parameters->MultiSampleType = D3DMULTISAMPLE_2_SAMPLES;
    HWND window = parameters->hDeviceWindow ? parameters->hDeviceWindow : focusWindow;
    if (!window) return D3DERR_INVALIDCALL;
    GlContext context = CreateGlContext(window);
    if (!context) return D3DERR_NOTAVAILABLE;
    auto* created = new GlDevice(window, context, *parameters, gl_, CapsFrom(gl_));
    if (!created->Ready()) {
      created->Release();
      return D3DERR_NOTAVAILABLE;
    }
    *device = created;
    return D3D_OK;
  }

 private:
  GlCaps gl_;
};

}  // namespace

bool ProbeGl(GlCaps* caps) {
  if (probed) {
    *caps = probedCaps;
    return probeResult;
  }
  bool ok = ReadWithProbeContext([] {
    glGetIntegerv(GL_MAX_SAMPLES, &probedCaps.maxSamples);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &probedCaps.maxTextureSize);
    if (HasGlExtension("GL_EXT_texture_filter_anisotropic") || HasGlExtension("GL_ARB_texture_filter_anisotropic"))
      glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &probedCaps.maxAnisotropy);
    return glGetError() == GL_NO_ERROR;
  });
  if (ok) {
    probed = true;
    probeResult = true;
  }
  *caps = probedCaps;
  return ok;
}

Direct3D* CreateGlDirect3D() {
  GlCaps caps;
  if (!ProbeGl(&caps)) return nullptr;
  return new GlDirect3D(caps);
}

}  // namespace d3d9
