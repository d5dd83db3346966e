#pragma once
// The one Direct3D device, the drawing path it allows, and the matrices and
// states every drawing part takes for granted.
#include <cstdint>

#include "core/frustum.h"
#include "d3dutil/math.h"
#include "platform/d3d9/d3d9.h"

extern d3d9::Device* Device;
// What the device allows and the state every drawing part takes for granted.
struct GraphicsState {
  D3DCAPS9 DeviceCaps{};
  D3DPRESENT_PARAMETERS PresentParameters{};

  // 1 when vertex and pixel shaders of version 2 or later are available.
  int32_t ShaderPath = 0;
  int32_t AnisotropySupported = 0;
  int32_t Multisample2Supported = 0, Multisample4Supported = 0, Multisample8Supported = 0;

  // The FVF code vertex buffers are created with: 0x352 on the fixed-function
  // path, 0 on the shader path (VertexDeclaration describes the vertices there).
  DWORD VertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX3;
  d3d9::VertexDeclaration* VertexDeclaration = nullptr;

  D3DXMATRIX WorldMatrix, ViewMatrix, ProjectionMatrix;
  D3DXMATRIX SceneWorldMatrix, SceneProjectionMatrix;
  D3DXMATRIX InterfaceWorldMatrix, InterfaceViewMatrix, InterfaceProjectionMatrix;
  // The current camera's view planes, taken when the frame begins.
  Plane ViewFrustum[FrustumPlaneCount]{};
};
extern GraphicsState Graphics;
// What VertexDeclaration is made from: the 56-byte vertex of every buffer,
// ended by D3DDECL_END.
constexpr int VertexElementCount = 7;
inline constexpr D3DVERTEXELEMENT9 VertexElements[VertexElementCount] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {0, 12, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_NORMAL, 0},
    {0, 24, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
    {0, 28, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    {0, 36, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 1},
    {0, 44, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_BINORMAL, 0},
    D3DDECL_END(),
};

// Creates the device into Window.MainWindow from the options and sets the initial
// transforms, render states, sampler states and vertex layout. A system
// without Direct3D 9 or a device that cannot be created ends the process
// after a message box.
void CreateGraphicsDevice();
// After a reset: the current matrices and the states creation set, again.
void RestoreDeviceStates();
// Shutdown: the device, then the Direct3D object.
void ReleaseGraphicsDevice();
// Ends the game after a fatal error of the window or the device, with the
// exit code given (tests may take the exit instead).
void GraphicsDeviceExit(int code);
