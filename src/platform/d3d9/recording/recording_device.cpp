#include "platform/d3d9/recording/recording_device.h"

#include <cstring>

#include "platform/d3d9/memory_resources.h"
#include "platform/d3d9/shader_bytecode.h"
#include "platform/test_hooks.h"

namespace d3d9 {
namespace {

RecordingDevice* lastDevice = nullptr;

template <class T>
void Rebind(T*& slot, T* object) {
  if (object) object->AddRef();
  if (slot) slot->Release();
  slot = object;
}

// Counted among the device's live buffers of D3DPOOL_DEFAULT, which a reset
// refuses to outlive, as the system's device does.
class DefaultPoolVertexBuffer : public MemoryVertexBuffer {
 public:
  DefaultPoolVertexBuffer(UINT length, DWORD usage, DWORD fvf, std::shared_ptr<int> live)
      : MemoryVertexBuffer(length, usage, fvf), live_(std::move(live)) {
    ++*live_;
  }
  ~DefaultPoolVertexBuffer() override { --*live_; }

 private:
  std::shared_ptr<int> live_;
};

class RecordingDirect3D : public Direct3D {
 public:
  HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) override {
    if (!caps || adapter != 0 || type != D3DDEVTYPE_HAL) return D3DERR_INVALIDCALL;
    *caps = TheRecordingConfig.caps;
    return D3D_OK;
  }
  HRESULT CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type, D3DFORMAT, BOOL, D3DMULTISAMPLE_TYPE samples,
                                     DWORD* qualityLevels) override {
    if (adapter != 0 || type != D3DDEVTYPE_HAL) return D3DERR_INVALIDCALL;
    for (D3DMULTISAMPLE_TYPE accepted : TheRecordingConfig.acceptedSamples) {
      if (accepted == samples) {
        if (qualityLevels) *qualityLevels = 1;
        return D3D_OK;
      }
    }
    return D3DERR_NOTAVAILABLE;
  }
  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND, DWORD behaviorFlags, D3DPRESENT_PARAMETERS* parameters,
                       Device** device) override {
    if (!device) return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (!parameters || adapter != 0 || type != D3DDEVTYPE_HAL) return D3DERR_INVALIDCALL;
    if (TheRecordingConfig.failCreateDevice) return D3DERR_NOTAVAILABLE;
    *device = new RecordingDevice(*parameters, behaviorFlags);
    return D3D_OK;
  }
};

}  // namespace

RecordingConfig::RecordingConfig() : caps{} {
  caps.DeviceType = D3DDEVTYPE_HAL;
  caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
  caps.TextureFilterCaps = D3DPTFILTERCAPS_MINFPOINT | D3DPTFILTERCAPS_MINFLINEAR | D3DPTFILTERCAPS_MINFANISOTROPIC |
                           D3DPTFILTERCAPS_MIPFPOINT | D3DPTFILTERCAPS_MIPFLINEAR | D3DPTFILTERCAPS_MAGFPOINT |
                           D3DPTFILTERCAPS_MAGFLINEAR | D3DPTFILTERCAPS_MAGFANISOTROPIC;
  caps.MaxTextureWidth = caps.MaxTextureHeight = kMaxTextureSize;
  caps.MaxAnisotropy = 16;
  caps.MaxSimultaneousTextures = kMaxStages;
  caps.MaxStreams = 1;
  caps.VertexShaderVersion = D3DVS_VERSION(2, 0);
  caps.MaxVertexShaderConst = kFloatConstants;
  caps.PixelShaderVersion = D3DPS_VERSION(2, 0);
}

RecordingConfig TheRecordingConfig;

Direct3D* CreateRecordingDirect3D() { return new RecordingDirect3D; }

RecordingDevice* LastRecordingDevice() { return lastDevice; }

RecordingDevice::RecordingDevice(const D3DPRESENT_PARAMETERS& parameters, DWORD behaviorFlags)
    : parameters_(parameters), behaviorFlags_(behaviorFlags) {
  state_.Reset(parameters);
  lastDevice = this;
}

RecordingDevice::~RecordingDevice() {
  UnbindAll();
  if (lastDevice == this) lastDevice = nullptr;
}

void RecordingDevice::UnbindAll() {
  for (Texture*& texture : state_.textures) Rebind(texture, static_cast<Texture*>(nullptr));
  Rebind(state_.vertexShader, static_cast<VertexShader*>(nullptr));
  Rebind(state_.pixelShader, static_cast<PixelShader*>(nullptr));
  Rebind(state_.declaration, static_cast<VertexDeclaration*>(nullptr));
  Rebind(state_.stream, static_cast<VertexBuffer*>(nullptr));
}

void RecordingDevice::Log(CallKind kind, DWORD a, DWORD b, DWORD c, const void* object, int draw) {
  calls_.push_back(RecordedCall{kind, a, b, c, object, draw});
}

void RecordingDevice::ClearLog() {
  calls_.clear();
  draws_.clear();
}

std::vector<RecordedCall> RecordingDevice::CallsOf(CallKind kind) const {
  std::vector<RecordedCall> found;
  for (const RecordedCall& call : calls_)
    if (call.kind == kind) found.push_back(call);
  return found;
}

HRESULT RecordingDevice::GetDeviceCaps(D3DCAPS9* caps) {
  if (!caps) return D3DERR_INVALIDCALL;
  *caps = TheRecordingConfig.caps;
  return D3D_OK;
}

HRESULT RecordingDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, VertexBuffer** buffer,
                                            void*) {
  if (!buffer) return D3DERR_INVALIDCALL;
  *buffer = nullptr;
  if (length == 0) return D3DERR_INVALIDCALL;
  if (pool == D3DPOOL_DEFAULT)
    *buffer = new DefaultPoolVertexBuffer(length, usage, fvf, liveDefaultPoolBuffers_);
  else
    *buffer = new MemoryVertexBuffer(length, usage, fvf);
  ++createdBuffers_;
  return D3D_OK;
}

HRESULT RecordingDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                                       D3DPOOL pool, Texture** texture, void*) {
  if (!texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  HRESULT valid = ValidateTextureRequest(width, height, format);
  if (FAILED(valid)) return valid;
  *texture = new MemoryTexture(width, height, levels, usage, format, pool);
  ++createdTextures_;
  return D3D_OK;
}

HRESULT RecordingDevice::CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
                                                 VertexDeclaration** declaration) {
  if (!elements || !declaration) return D3DERR_INVALIDCALL;
  *declaration = new MemoryVertexDeclaration(ElementsUntilEnd(elements));
  return D3D_OK;
}

HRESULT RecordingDevice::CreateVertexShader(const DWORD* function, VertexShader** shader) {
  if (!shader) return D3DERR_INVALIDCALL;
  *shader = nullptr;
  ParsedShader parsed;
  if (!ParseShaderFunction(function, false, &parsed)) return D3DERR_INVALIDCALL;
  *shader = new MemoryVertexShader(std::move(parsed.tokens));
  ++createdShaders_;
  return D3D_OK;
}

HRESULT RecordingDevice::CreatePixelShader(const DWORD* function, PixelShader** shader) {
  if (!shader) return D3DERR_INVALIDCALL;
  *shader = nullptr;
  ParsedShader parsed;
  if (!ParseShaderFunction(function, true, &parsed)) return D3DERR_INVALIDCALL;
  *shader = new MemoryPixelShader(std::move(parsed.tokens));
  ++createdShaders_;
  return D3D_OK;
}

HRESULT RecordingDevice::SetVertexDeclaration(VertexDeclaration* declaration) {
  Rebind(state_.declaration, declaration);
  if (declaration) state_.fvf = 0;
  Log(CallKind::SetVertexDeclaration, 0, 0, 0, declaration);
  return D3D_OK;
}

HRESULT RecordingDevice::SetFVF(DWORD fvf) {
  // As in Direct3D, an FVF of 0 leaves the current declaration in place.
  if (fvf != 0) Rebind(state_.declaration, static_cast<VertexDeclaration*>(nullptr));
  state_.fvf = fvf;
  Log(CallKind::SetFVF, fvf);
  return D3D_OK;
}

HRESULT RecordingDevice::SetVertexShader(VertexShader* shader) {
  Rebind(state_.vertexShader, shader);
  Log(CallKind::SetVertexShader, 0, 0, 0, shader);
  return D3D_OK;
}

HRESULT RecordingDevice::SetPixelShader(PixelShader* shader) {
  Rebind(state_.pixelShader, shader);
  Log(CallKind::SetPixelShader, 0, 0, 0, shader);
  return D3D_OK;
}

HRESULT RecordingDevice::SetVertexShaderConstantF(UINT start, const float* data, UINT count) {
  if (!data || start >= kFloatConstants || count > kFloatConstants - start) return D3DERR_INVALIDCALL;
  std::memcpy(state_.vertexConstants[start].data(), data, count * 16);
  Log(CallKind::SetVertexShaderConstantF, start, count);
  return D3D_OK;
}

HRESULT RecordingDevice::SetPixelShaderConstantF(UINT start, const float* data, UINT count) {
  if (!data || start >= kFloatConstants || count > kFloatConstants - start) return D3DERR_INVALIDCALL;
  std::memcpy(state_.pixelConstants[start].data(), data, count * 16);
  Log(CallKind::SetPixelShaderConstantF, start, count);
  return D3D_OK;
}

HRESULT RecordingDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  if (state >= D3DRS_STATE_COUNT) return D3DERR_INVALIDCALL;
  state_.renderStates[state] = value;
  Log(CallKind::SetRenderState, state, value);
  return D3D_OK;
}

HRESULT RecordingDevice::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
  if (sampler >= kMaxSamplers || type >= D3DSAMP_STATE_COUNT) return D3DERR_INVALIDCALL;
  state_.samplerStates[sampler][type] = value;
  Log(CallKind::SetSamplerState, sampler, type, value);
  return D3D_OK;
}

HRESULT RecordingDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
  if (stage >= kMaxStages || type >= D3DTSS_STATE_COUNT) return D3DERR_INVALIDCALL;
  state_.stageStates[stage][type] = value;
  Log(CallKind::SetTextureStageState, stage, type, value);
  return D3D_OK;
}

HRESULT RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  if (!matrix) return D3DERR_INVALIDCALL;
  switch (state) {
    case D3DTS_WORLD: state_.world = *matrix; break;
    case D3DTS_VIEW: state_.view = *matrix; break;
    case D3DTS_PROJECTION: state_.projection = *matrix; break;
    default: return D3DERR_INVALIDCALL;
  }
  Log(CallKind::SetTransform, state);
  return D3D_OK;
}

HRESULT RecordingDevice::SetTexture(DWORD stage, Texture* texture) {
  if (stage >= kMaxSamplers) return D3DERR_INVALIDCALL;
  Rebind(state_.textures[stage], texture);
  Log(CallKind::SetTexture, stage, 0, 0, texture);
  return D3D_OK;
}

HRESULT RecordingDevice::SetScissorRect(const RECT* rect) {
  if (!rect) return D3DERR_INVALIDCALL;
  state_.scissorRect = *rect;
  Log(CallKind::SetScissorRect);
  return D3D_OK;
}

HRESULT RecordingDevice::SetStreamSource(UINT stream, VertexBuffer* buffer, UINT offsetInBytes, UINT stride) {
  if (stream != 0) return D3DERR_INVALIDCALL;
  Rebind(state_.stream, buffer);
  state_.streamOffset = offsetInBytes;
  state_.streamStride = stride;
  Log(CallKind::SetStreamSource, offsetInBytes, stride, 0, buffer);
  return D3D_OK;
}

RecordedDraw RecordingDevice::SnapshotDraw(D3DPRIMITIVETYPE type, UINT start, UINT count, bool fromMemory,
                                           UINT stride) {
  return RecordedDraw{type, start, count, fromMemory, stride, {}, state_};
}

HRESULT RecordingDevice::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) {
  auto* buffer = static_cast<MemoryVertexBuffer*>(state_.stream);
  UINT stride = state_.streamStride;
  UINT vertices = VertexCountOf(type, primitiveCount);
  if (!buffer || stride == 0) return D3DERR_INVALIDCALL;
  size_t first = size_t(state_.streamOffset) + size_t(startVertex) * stride;
  size_t bytes = size_t(vertices) * stride;
  if (first > buffer->Length() || bytes > buffer->Length() - first) return D3DERR_INVALIDCALL;
  RecordedDraw draw = SnapshotDraw(type, startVertex, primitiveCount, false, stride);
  draw.vertices.assign(buffer->Data() + first, buffer->Data() + first + bytes);
  draws_.push_back(std::move(draw));
  kept_.Drew();
  Log(CallKind::DrawPrimitive, type, startVertex, primitiveCount, buffer, int(draws_.size()) - 1);
  return D3D_OK;
}

HRESULT RecordingDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData,
                                         UINT vertexStride) {
  if (!vertexData || vertexStride == 0) return D3DERR_INVALIDCALL;
  UINT vertices = VertexCountOf(type, primitiveCount);
  RecordedDraw draw = SnapshotDraw(type, 0, primitiveCount, true, vertexStride);
  const auto* bytes = static_cast<const uint8_t*>(vertexData);
  draw.vertices.assign(bytes, bytes + size_t(vertices) * vertexStride);
  draws_.push_back(std::move(draw));
  kept_.Drew();
  // Like Direct3D, a draw from memory leaves stream 0 unset.
  Rebind(state_.stream, static_cast<VertexBuffer*>(nullptr));
  state_.streamOffset = state_.streamStride = 0;
  Log(CallKind::DrawPrimitiveUP, type, 0, primitiveCount, vertexData, int(draws_.size()) - 1);
  return D3D_OK;
}

HRESULT RecordingDevice::Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD) {
  kept_.Cleared(rects ? rectCount : 0, flags, z);
  DWORD depth;
  std::memcpy(&depth, &z, sizeof depth);
  Log(CallKind::Clear, flags, color, depth);
  return D3D_OK;
}

HRESULT RecordingDevice::BeginScene() {
  if (state_.inScene) return D3DERR_INVALIDCALL;
  state_.inScene = true;
  Log(CallKind::BeginScene);
  return D3D_OK;
}

HRESULT RecordingDevice::EndScene() {
  if (!state_.inScene) return D3DERR_INVALIDCALL;
  state_.inScene = false;
  Log(CallKind::EndScene);
  return D3D_OK;
}

HRESULT RecordingDevice::Present(const RECT*, const RECT*, HWND, const void*) {
  if (TakeDeviceLossForTests()) LoseDevice();
  if (lost_) return D3DERR_DEVICELOST;
  ++presents_;
  kept_.Drew();
  Log(CallKind::Present);
  return D3D_OK;
}

void RecordingDevice::LoseDevice(int checksBeforeReset, int failingResets) {
  lost_ = true;
  lostChecksLeft_ = checksBeforeReset;
  failingResets_ = failingResets;
}

HRESULT RecordingDevice::TestCooperativeLevel() {
  if (!lost_) return D3D_OK;
  if (lostChecksLeft_ == 0) return D3DERR_DEVICENOTRESET;
  --lostChecksLeft_;
  return D3DERR_DEVICELOST;
}

HRESULT RecordingDevice::Reset(D3DPRESENT_PARAMETERS* parameters) {
  if (!parameters || *liveDefaultPoolBuffers_ > 0) return D3DERR_INVALIDCALL;
  if (failingResets_ > 0) {
    --failingResets_;
    return D3DERR_DEVICELOST;
  }
  UnbindAll();
  parameters_ = *parameters;
  state_.Reset(*parameters);
  kept_ = KeptFrameLedger{};
  lost_ = false;
  ++resets_;
  return D3D_OK;
}

HRESULT RecordingDevice::ReadBackBuffer(std::vector<uint32_t>* argb, int* width, int* height) {
  if (!argb || !width || !height) return D3DERR_INVALIDCALL;
  *width = static_cast<int>(parameters_.BackBufferWidth);
  *height = static_cast<int>(parameters_.BackBufferHeight);
  argb->assign(size_t(*width) * size_t(*height), 0xFF000000u);
  return D3D_OK;
}

HRESULT RecordingDevice::KeepFrame(uint64_t tag) {
  kept_.Kept(tag, RECT{0, 0, int32_t(parameters_.BackBufferWidth), int32_t(parameters_.BackBufferHeight)});
  Log(CallKind::KeepFrame);
  return D3D_OK;
}

HRESULT RecordingDevice::NoteKeptFrameOpenRects() {
  Log(CallKind::NoteKeptFrameOpenRects);
  if (!kept_.kept) return D3DERR_INVALIDCALL;
  if (TheRecordingConfig.keptFrameOpen) kept_.open = *TheRecordingConfig.keptFrameOpen;
  return D3D_OK;
}

HRESULT RecordingDevice::RestoreKeptFrame(uint64_t tag, OpenRects* open) {
  Log(CallKind::RestoreKeptFrame);
  if (!kept_.CanRestore(tag)) return D3DERR_INVALIDCALL;
  kept_.Drew();
  if (open) *open = kept_.open;
  return D3D_OK;
}

}  // namespace d3d9
