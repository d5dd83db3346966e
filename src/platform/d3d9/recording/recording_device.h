#pragma once
// A device that draws nothing and remembers everything: every state, every
// constant register, the bound resources, and a log of the calls with a copy
// of the vertices each draw read. For tests; no window needed.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/d3d9/d3d9.h"
#include "platform/d3d9/device_state.h"
#include "platform/d3d9/kept_frame.h"

namespace d3d9 {

enum class CallKind {
  SetRenderState,
  SetSamplerState,
  SetTextureStageState,
  SetTransform,
  SetTexture,
  SetVertexShader,
  SetPixelShader,
  SetVertexShaderConstantF,
  SetPixelShaderConstantF,
  SetStreamSource,
  SetScissorRect,
  SetFVF,
  SetVertexDeclaration,
  DrawPrimitive,
  DrawPrimitiveUP,
  Clear,
  BeginScene,
  EndScene,
  Present,
  KeepFrame,
  NoteKeptFrameOpenRects,
  RestoreKeptFrame,
};

// One call. a, b, c are its first arguments as numbers: (state, value) for
// render states, (sampler or stage, type, value) for sampler and stage
// states, (start register, count) for constants, (type, start, count) for
// draws, (flags, colour, the depth's float bits) for Clear. `draw` indexes `draws` for draw calls.
struct RecordedCall {
  CallKind kind;
  DWORD a = 0, b = 0, c = 0;
  const void* object = nullptr;  // texture, shader, buffer or declaration
  int draw = -1;
};

struct RecordedDraw {
  D3DPRIMITIVETYPE type;
  UINT startVertex;
  UINT primitiveCount;
  bool fromMemory;  // DrawPrimitiveUP
  UINT stride;
  std::vector<uint8_t> vertices;  // the bytes of the vertices drawn
  DeviceState state;              // everything bound at the time of the draw
};

// What the recording Direct3D object reports and accepts.
struct RecordingConfig {
  D3DCAPS9 caps;
  std::vector<D3DMULTISAMPLE_TYPE> acceptedSamples{D3DMULTISAMPLE_2_SAMPLES, D3DMULTISAMPLE_4_SAMPLES,
                                                   D3DMULTISAMPLE_8_SAMPLES};
  bool failCreateDevice = false;
  // What NoteKeptFrameOpenRects finds open; the whole back buffer when unset.
  std::optional<OpenRects> keptFrameOpen;
  RecordingConfig();
};
// Read by the recording Direct3D object when it is asked; tests change it.
extern RecordingConfig TheRecordingConfig;

class RecordingDevice : public Device {
 public:
  explicit RecordingDevice(const D3DPRESENT_PARAMETERS& parameters, DWORD behaviorFlags);
  ~RecordingDevice() override;

  HRESULT GetDeviceCaps(D3DCAPS9* caps) override;
  HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, VertexBuffer** buffer,
                             void* sharedHandle = nullptr) override;
  HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                        Texture** texture, void* sharedHandle = nullptr) override;
  HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements, VertexDeclaration** declaration) override;
  HRESULT CreateVertexShader(const DWORD* function, VertexShader** shader) override;
  HRESULT CreatePixelShader(const DWORD* function, PixelShader** shader) override;

  HRESULT SetVertexDeclaration(VertexDeclaration* declaration) override;
  HRESULT SetFVF(DWORD fvf) override;
  HRESULT SetVertexShader(VertexShader* shader) override;
  HRESULT SetPixelShader(PixelShader* shader) override;
  HRESULT SetVertexShaderConstantF(UINT startRegister, const float* data, UINT count) override;
  HRESULT SetPixelShaderConstantF(UINT startRegister, const float* data, UINT count) override;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
  HRESULT SetTexture(DWORD stage, Texture* texture) override;
  HRESULT SetStreamSource(UINT stream, VertexBuffer* buffer, UINT offsetInBytes, UINT stride) override;
  HRESULT SetScissorRect(const RECT* rect) override;

  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData,
                          UINT vertexStride) override;
  HRESULT Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                DWORD stencil) override;
  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND overrideWindow,
                  const void* dirtyRegion) override;
  HRESULT TestCooperativeLevel() override;
  HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override;

  HRESULT AcquireThread() override { return D3D_OK; }
  HRESULT ReleaseThread() override { return D3D_OK; }
  // A black image of the back buffer's size: nothing is drawn.
  HRESULT ReadBackBuffer(std::vector<uint32_t>* argb, int* width, int* height) override;
  // Logged; restoring succeeds where the GL device's would, and reports
  // the configured open rectangle.
  HRESULT KeepFrame(uint64_t tag) override;
  HRESULT NoteKeptFrameOpenRects() override;
  HRESULT RestoreKeptFrame(uint64_t tag, OpenRects* open) override;

  // What the tests look at.
  const DeviceState& State() const { return state_; }
  const std::vector<RecordedCall>& Calls() const { return calls_; }
  const std::vector<RecordedDraw>& Draws() const { return draws_; }
  void ClearLog();
  const D3DPRESENT_PARAMETERS& PresentParameters() const { return parameters_; }
  DWORD BehaviorFlags() const { return behaviorFlags_; }
  int PresentCount() const { return presents_; }
  // The calls of one kind, in order.
  std::vector<RecordedCall> CallsOf(CallKind kind) const;
  // Resources created on this device, in creation order (not owned).
  int CreatedVertexBuffers() const { return createdBuffers_; }
  int CreatedTextures() const { return createdTextures_; }
  int CreatedShaders() const { return createdShaders_; }
  // Loses the device as switching away from full screen does: Present fails,
  // TestCooperativeLevel reports D3DERR_DEVICELOST `checksBeforeReset` times,
  // then D3DERR_DEVICENOTRESET; the first `failingResets` resets fail.
  void LoseDevice(int checksBeforeReset = 0, int failingResets = 0);
  int ResetCount() const { return resets_; }

 private:
  void Log(CallKind kind, DWORD a = 0, DWORD b = 0, DWORD c = 0, const void* object = nullptr, int draw = -1);
  RecordedDraw SnapshotDraw(D3DPRIMITIVETYPE type, UINT start, UINT count, bool fromMemory, UINT stride);
  void UnbindAll();

  D3DPRESENT_PARAMETERS parameters_;
  DWORD behaviorFlags_;
  DeviceState state_;
  KeptFrameLedger kept_;
  std::vector<RecordedCall> calls_;
  std::vector<RecordedDraw> draws_;
  int presents_ = 0;
  int createdBuffers_ = 0, createdTextures_ = 0, createdShaders_ = 0;
  bool lost_ = false;
  int lostChecksLeft_ = 0, failingResets_ = 0, resets_ = 0;
  // Shared with the buffers, which may outlive the device.
  std::shared_ptr<int> liveDefaultPoolBuffers_ = std::make_shared<int>(0);
};

// The device the recording Direct3D object made last (null if none or it has
// been released).
RecordingDevice* LastRecordingDevice();

Direct3D* CreateRecordingDirect3D();

}  // namespace d3d9
