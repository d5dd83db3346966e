#include "core/graphics_device.h"

#include <cstdlib>

#include "core/engine_state.h"
#include "core/options.h"
#include "platform/test_hooks.h"
#include "platform/window.h"

d3d9::Direct3D* Direct3D = nullptr;
d3d9::Device* Device = nullptr;
D3DCAPS9 DeviceCaps{};
D3DPRESENT_PARAMETERS PresentParameters{};
int32_t ShaderPath = 0;
int32_t AnisotropySupported = 0;
int32_t Multisample2Supported = 0, Multisample4Supported = 0, Multisample8Supported = 0;
DWORD VertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX3;
d3d9::VertexDeclaration* VertexDeclaration = nullptr;
const D3DVERTEXELEMENT9 VertexElements[VertexElementCount] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {0, 12, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_NORMAL, 0},
    {0, 24, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
    {0, 28, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    {0, 36, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 1},
    {0, 44, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_BINORMAL, 0},
    D3DDECL_END(),
};
D3DXMATRIX WorldMatrix, ViewMatrix, ProjectionMatrix;
D3DXMATRIX SceneWorldMatrix, SceneProjectionMatrix;
D3DXMATRIX InterfaceWorldMatrix, InterfaceViewMatrix, InterfaceProjectionMatrix;

namespace {

void ExitProcessNow(int code) { std::exit(code); }

int32_t AcceptsSamples(D3DMULTISAMPLE_TYPE samples) {
  return SUCCEEDED(Direct3D->CheckDeviceMultiSampleType(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, D3DFMT_A8R8G8B8, 0,
                                                        samples, nullptr))
             ? 1
             : 0;
}

D3DMULTISAMPLE_TYPE RequestedSamples() {
  if (multysample == 2 && Multisample2Supported) return D3DMULTISAMPLE_2_SAMPLES;
  if (multysample == 4 && Multisample4Supported) return D3DMULTISAMPLE_4_SAMPLES;
  if (multysample == 8 && Multisample8Supported) return D3DMULTISAMPLE_8_SAMPLES;
  return D3DMULTISAMPLE_NONE;
}

void FillPresentParameters() {
  PresentParameters = D3DPRESENT_PARAMETERS{};
  PresentParameters.BackBufferWidth = static_cast<UINT>(res_width);
  PresentParameters.BackBufferHeight = static_cast<UINT>(res_height);
  PresentParameters.BackBufferFormat = foolscreen ? D3DFMT_A8R8G8B8 : D3DFMT_UNKNOWN;
  PresentParameters.BackBufferCount = 1;
  PresentParameters.MultiSampleType = RequestedSamples();
  PresentParameters.MultiSampleQuality = 0;
  PresentParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  PresentParameters.hDeviceWindow = nullptr;
  PresentParameters.Windowed = foolscreen ? 0 : 1;
  PresentParameters.EnableAutoDepthStencil = 1;
  PresentParameters.AutoDepthStencilFormat = D3DFMT_D24X8;
  PresentParameters.Flags = 0;
  PresentParameters.FullScreen_RefreshRateInHz = 0;
  PresentParameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
}

void SetUpMatrices() {
  D3DXMatrixIdentity(&ProjectionMatrix);
  D3DXMatrixIdentity(&WorldMatrix);
  D3DXMatrixIdentity(&ViewMatrix);
  D3DXMatrixIdentity(&SceneWorldMatrix);
  D3DXMatrixIdentity(&InterfaceWorldMatrix);

  D3DXMatrixPerspectiveFovLH(&ProjectionMatrix, AspectRatio * 1.5707964f, 1.0f / AspectRatio, 0.01f, 800.0f);
  Device->SetTransform(D3DTS_PROJECTION, &ProjectionMatrix);
  SceneProjectionMatrix = ProjectionMatrix;
  Device->SetTransform(D3DTS_WORLD, &WorldMatrix);

  D3DXVECTOR3 eye(0, 0, 0), at(0, 0, -1), up(0, 1, 0);
  D3DXMatrixLookAtLH(&ViewMatrix, &eye, &at, &up);
  Device->SetTransform(D3DTS_VIEW, &ViewMatrix);
  // The interface looks down -z as this view does, but without its mirror in
  // x: quads drawn through the transforms keep their left and right.
  D3DXMatrixScaling(&InterfaceViewMatrix, 1.0f, 1.0f, -1.0f);

  D3DXMatrixOrthoLH(&InterfaceProjectionMatrix, 2.0f, 1.5f, 0.01f, 800.0f);
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

  if (ShaderPath) Device->SetVertexDeclaration(VertexDeclaration);
  Device->SetFVF(VertexFormat);
}

}  // namespace

void (*GraphicsDeviceExit)(int code) = ExitProcessNow;

void CreateGraphicsDevice() {
  VertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX3;
  Direct3D = Direct3DCreate9(D3D_SDK_VERSION);
  if (!Direct3D) {
    MessageBoxA("DX9 not present", "DX9 not present");
    GraphicsDeviceExit(0);
    return;
  }
  Direct3D->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &DeviceCaps);
  DWORD vertexProcessing = (DeviceCaps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT)
                               ? D3DCREATE_HARDWARE_VERTEXPROCESSING
                               : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
  AnisotropySupported = (DeviceCaps.TextureFilterCaps & D3DPTFILTERCAPS_MAGFANISOTROPIC) &&
                                (DeviceCaps.TextureFilterCaps & D3DPTFILTERCAPS_MINFANISOTROPIC)
                            ? 1
                            : 0;
  ShaderPath = D3DSHADER_VERSION_MAJOR(DeviceCaps.VertexShaderVersion) >= 2 &&
                       D3DSHADER_VERSION_MAJOR(DeviceCaps.PixelShaderVersion) >= 2
                   ? 1
                   : 0;
  Multisample2Supported = AcceptsSamples(D3DMULTISAMPLE_2_SAMPLES);
  Multisample4Supported = AcceptsSamples(D3DMULTISAMPLE_4_SAMPLES);
  Multisample8Supported = AcceptsSamples(D3DMULTISAMPLE_8_SAMPLES);
  FillPresentParameters();

  if (FAILED(Direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, MainWindow, vertexProcessing,
                                    &PresentParameters, &Device))) {
    Device = nullptr;
    Direct3D->Release();
    Direct3D = nullptr;
    MessageBoxA("Error", "Device creating fault: not support DX9.0c");
    GraphicsDeviceExit(0);
    return;
  }
  SetUpMatrices();
  if (ShaderPath) {
    Device->CreateVertexDeclaration(VertexElements, &VertexDeclaration);
    VertexFormat = 0;
  }
  SetUpStates();
}

void RestoreDeviceStates() {
  Device->SetTransform(D3DTS_PROJECTION, &ProjectionMatrix);
  Device->SetTransform(D3DTS_WORLD, &WorldMatrix);
  Device->SetTransform(D3DTS_VIEW, &ViewMatrix);
  SetUpStates();
}

void ReleaseGraphicsDevice() {
  if (VertexDeclaration) VertexDeclaration->Release();
  VertexDeclaration = nullptr;
  if (Device) Device->Release();
  Device = nullptr;
  if (Direct3D) Direct3D->Release();
  Direct3D = nullptr;
}
