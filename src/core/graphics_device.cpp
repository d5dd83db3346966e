#include "core/graphics_device.h"

#include <cstdlib>
#include <utility>

#include "core/engine_state.h"
#include "core/options.h"
#include "core/test_hooks.h"
#include "platform/window.h"

d3d9::Device* Device = nullptr;
GraphicsState Graphics;

namespace {

// The object that made the device; nothing else asks it anything.
d3d9::Direct3D* Direct3D = nullptr;

void ExitProcessNow(int code) { std::exit(code); }
DeviceExit deviceExit = ExitProcessNow;

int32_t AcceptsSamples(D3DMULTISAMPLE_TYPE samples) {
  return SUCCEEDED(Direct3D->CheckDeviceMultiSampleType(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, D3DFMT_A8R8G8B8, 0,
                                                        samples, nullptr))
             ? 1
             : 0;
}

D3DMULTISAMPLE_TYPE RequestedSamples() {
  if (Options.multisample == 2 && Graphics.Multisample2Supported) return D3DMULTISAMPLE_2_SAMPLES;
  if (Options.multisample == 4 && Graphics.Multisample4Supported) return D3DMULTISAMPLE_4_SAMPLES;
  if (Options.multisample == 8 && Graphics.Multisample8Supported) return D3DMULTISAMPLE_8_SAMPLES;
  return D3DMULTISAMPLE_NONE;
}

void FillPresentParameters() {
  Graphics.PresentParameters = D3DPRESENT_PARAMETERS{};
  Graphics.PresentParameters.BackBufferWidth = static_cast<UINT>(Options.width);
  Graphics.PresentParameters.BackBufferHeight = static_cast<UINT>(Options.height);
  Graphics.PresentParameters.BackBufferFormat = Options.fullScreen ? D3DFMT_A8R8G8B8 : D3DFMT_UNKNOWN;
  Graphics.PresentParameters.BackBufferCount = 1;
  Graphics.PresentParameters.MultiSampleType = RequestedSamples();
  Graphics.PresentParameters.MultiSampleQuality = 0;
  Graphics.PresentParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  Graphics.PresentParameters.hDeviceWindow = nullptr;
  Graphics.PresentParameters.Windowed = Options.fullScreen ? 0 : 1;
  Graphics.PresentParameters.EnableAutoDepthStencil = 1;
  Graphics.PresentParameters.AutoDepthStencilFormat = D3DFMT_D24X8;
  Graphics.PresentParameters.Flags = 0;
  Graphics.PresentParameters.FullScreen_RefreshRateInHz = 0;
  Graphics.PresentParameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
}

void SetUpMatrices() {
  D3DXMatrixIdentity(&Graphics.ProjectionMatrix);
  D3DXMatrixIdentity(&Graphics.WorldMatrix);
  D3DXMatrixIdentity(&Graphics.ViewMatrix);
  D3DXMatrixIdentity(&Graphics.SceneWorldMatrix);
  D3DXMatrixIdentity(&Graphics.InterfaceWorldMatrix);

  D3DXMatrixPerspectiveFovLH(&Graphics.ProjectionMatrix, Window.AspectRatio * 1.5707964f, 1.0f / Window.AspectRatio,
                             0.01f, 800.0f);
  Device->SetTransform(D3DTS_PROJECTION, &Graphics.ProjectionMatrix);
  Graphics.SceneProjectionMatrix = Graphics.ProjectionMatrix;
  Device->SetTransform(D3DTS_WORLD, &Graphics.WorldMatrix);

  D3DXVECTOR3 eye(0, 0, 0), at(0, 0, -1), up(0, 1, 0);
  D3DXMatrixLookAtLH(&Graphics.ViewMatrix, &eye, &at, &up);
  Device->SetTransform(D3DTS_VIEW, &Graphics.ViewMatrix);
  // The interface looks down -z as this view does, but without its mirror in
  // x: quads drawn through the transforms keep their left and right.
  D3DXMatrixScaling(&Graphics.InterfaceViewMatrix, 1.0f, 1.0f, -1.0f);

  D3DXMatrixOrthoLH(&Graphics.InterfaceProjectionMatrix, 2.0f, 1.5f, 0.01f, 800.0f);
}

void SetUpStates() {
  Device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
  Device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  Device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  Device->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
  Device->SetRenderState(D3DRS_ALPHAREF, 240);
  Device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
  Device->SetRenderState(D3DRS_ALPHATESTENABLE, 0);
  Device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
  Device->SetRenderState(D3DRS_LIGHTING, 0);
  Device->SetRenderState(D3DRS_ZENABLE, 1);

  Device->SetSamplerState(1, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
  Device->SetSamplerState(1, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
  Device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
  Device->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);

  if (Graphics.ShaderPath) Device->SetVertexDeclaration(Graphics.VertexDeclaration);
  Device->SetFVF(Graphics.VertexFormat);
}

}  // namespace

DeviceExit SetGraphicsDeviceExit(DeviceExit exit) { return std::exchange(deviceExit, exit); }
void GraphicsDeviceExit(int code) { deviceExit(code); }

void CreateGraphicsDevice() {
  Graphics.VertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX3;
  Direct3D = Direct3DCreate9(D3D_SDK_VERSION);
  if (!Direct3D) {
    MessageBoxA("DX9 not present", "DX9 not present");
    GraphicsDeviceExit(0);
    return;
  }
  Direct3D->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &Graphics.DeviceCaps);
  DWORD vertexProcessing = (Graphics.DeviceCaps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT)
                               ? D3DCREATE_HARDWARE_VERTEXPROCESSING
                               : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
  Graphics.AnisotropySupported = (Graphics.DeviceCaps.TextureFilterCaps & D3DPTFILTERCAPS_MAGFANISOTROPIC) &&
                                         (Graphics.DeviceCaps.TextureFilterCaps & D3DPTFILTERCAPS_MINFANISOTROPIC)
                                     ? 1
                                     : 0;
  Graphics.ShaderPath = D3DSHADER_VERSION_MAJOR(Graphics.DeviceCaps.VertexShaderVersion) >= 2 &&
                                D3DSHADER_VERSION_MAJOR(Graphics.DeviceCaps.PixelShaderVersion) >= 2
                            ? 1
                            : 0;
  Graphics.Multisample2Supported = AcceptsSamples(D3DMULTISAMPLE_2_SAMPLES);
  Graphics.Multisample4Supported = AcceptsSamples(D3DMULTISAMPLE_4_SAMPLES);
  Graphics.Multisample8Supported = AcceptsSamples(D3DMULTISAMPLE_8_SAMPLES);
  FillPresentParameters();

  if (FAILED(Direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, Window.MainWindow, vertexProcessing,
                                    &Graphics.PresentParameters, &Device))) {
    Device = nullptr;
    Direct3D->Release();
    Direct3D = nullptr;
    MessageBoxA("Error", "Device creating fault: not support DX9.0c");
    GraphicsDeviceExit(0);
    return;
  }
  SetUpMatrices();
  if (Graphics.ShaderPath) {
    Device->CreateVertexDeclaration(VertexElements, &Graphics.VertexDeclaration);
    Graphics.VertexFormat = 0;
  }
  SetUpStates();
}

void RestoreDeviceStates() {
  Device->SetTransform(D3DTS_PROJECTION, &Graphics.ProjectionMatrix);
  Device->SetTransform(D3DTS_WORLD, &Graphics.WorldMatrix);
  Device->SetTransform(D3DTS_VIEW, &Graphics.ViewMatrix);
  SetUpStates();
}

void ReleaseGraphicsDevice() {
  if (Graphics.VertexDeclaration) Graphics.VertexDeclaration->Release();
  Graphics.VertexDeclaration = nullptr;
  if (Device) Device->Release();
  Device = nullptr;
  if (Direct3D) Direct3D->Release();
  Direct3D = nullptr;
}
