#pragma once
// The system's Direct3D 9 in plain types, for the Windows device backend:
// the game's own d3d9.h and the system's cannot meet in one file. Objects are
// the system's COM pointers as void*; values are Direct3D's own numbers.
#include <cstdint>
#include <vector>

namespace system_d3d9 {

struct Caps {
  uint32_t devCaps, textureFilterCaps, maxTextureWidth, maxTextureHeight, maxAnisotropy;
  uint32_t maxSimultaneousTextures, maxStreams, vertexShaderVersion, maxVertexShaderConst, pixelShaderVersion;
};

struct PresentParameters {
  uint32_t width, height, format, bufferCount, multiSample, multiSampleQuality, swapEffect;
  void* window;
  int32_t windowed, autoDepthStencil;
  uint32_t depthFormat, flags, refreshRate, interval;
};

void* Create(uint32_t sdkVersion);
uint32_t Release(void* object);

int32_t AdapterCaps(void* direct3d, uint32_t adapter, uint32_t type, Caps* caps);
int32_t CheckMultiSample(void* direct3d, uint32_t adapter, uint32_t type, uint32_t format, int32_t windowed,
                         uint32_t samples, uint32_t* qualityLevels);
int32_t CreateDevice(void* direct3d, uint32_t adapter, uint32_t type, void* focusWindow, uint32_t flags,
                     PresentParameters* parameters, void** device);

int32_t DeviceCaps(void* device, Caps* caps);
int32_t CreateVertexBuffer(void* device, uint32_t length, uint32_t usage, uint32_t fvf, uint32_t pool,
                           void** buffer);
int32_t CreateTexture(void* device, uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                      uint32_t format, uint32_t pool, void** texture);
// `elements` in D3DVERTEXELEMENT9 layout, ending with its end mark.
int32_t CreateVertexDeclaration(void* device, const void* elements, void** declaration);
int32_t CreateVertexShader(void* device, const uint32_t* function, void** shader);
int32_t CreatePixelShader(void* device, const uint32_t* function, void** shader);

int32_t SetVertexDeclaration(void* device, void* declaration);
int32_t SetFVF(void* device, uint32_t fvf);
int32_t SetVertexShader(void* device, void* shader);
int32_t SetPixelShader(void* device, void* shader);
int32_t SetVertexShaderConstantF(void* device, uint32_t start, const float* data, uint32_t count);
int32_t SetPixelShaderConstantF(void* device, uint32_t start, const float* data, uint32_t count);
int32_t SetRenderState(void* device, uint32_t state, uint32_t value);
int32_t SetSamplerState(void* device, uint32_t sampler, uint32_t type, uint32_t value);
int32_t SetTextureStageState(void* device, uint32_t stage, uint32_t type, uint32_t value);
int32_t SetTransform(void* device, uint32_t state, const float* matrix);
int32_t SetTexture(void* device, uint32_t stage, void* texture);
int32_t SetStreamSource(void* device, uint32_t stream, void* buffer, uint32_t offset, uint32_t stride);
// `rect` in RECT layout (left, top, right, bottom).
int32_t SetScissorRect(void* device, const int32_t* rect);
int32_t DrawPrimitive(void* device, uint32_t type, uint32_t startVertex, uint32_t primitiveCount);
int32_t DrawPrimitiveUP(void* device, uint32_t type, uint32_t primitiveCount, const void* vertices,
                        uint32_t stride);
// `rects` in D3DRECT layout.
int32_t Clear(void* device, uint32_t rectCount, const void* rects, uint32_t flags, uint32_t color, float z,
              uint32_t stencil);
int32_t BeginScene(void* device);
int32_t EndScene(void* device);
int32_t Present(void* device);
int32_t TestCooperativeLevel(void* device);
// The same parameters as at creation; whatever lives in D3DPOOL_DEFAULT must
// have been released first.
int32_t Reset(void* device, PresentParameters* parameters);
// Copies the back buffer into `kept` (a render target made on the first call),
// resolving multisampling; after Present the back buffer itself is undefined.
int32_t KeepBackBuffer(void* device, void** kept);
// A kept back buffer as 0xAARRGGBB, row 0 at the top.
int32_t ReadKeptBackBuffer(void* device, void* kept, std::vector<uint32_t>* argb, int* width, int* height);

int32_t LockVertexBuffer(void* buffer, uint32_t offset, uint32_t size, void** data, uint32_t flags);
int32_t UnlockVertexBuffer(void* buffer);

uint32_t TextureLevelCount(void* texture);
int32_t TextureLevelSize(void* texture, uint32_t level, uint32_t* width, uint32_t* height);
// `rect` in RECT layout (left, top, right, bottom) or null.
int32_t LockTextureRect(void* texture, uint32_t level, int32_t* pitch, void** bits, const int32_t* rect,
                        uint32_t flags);
int32_t UnlockTextureRect(void* texture, uint32_t level);

}  // namespace system_d3d9
