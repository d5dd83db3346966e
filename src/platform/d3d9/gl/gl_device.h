#pragma once
// IDirect3DDevice9 over OpenGL 3.3 core. Draws into a framebuffer object of
// the back buffer's size (multisampled on request) that Present copies to the
// window. Where GL has clip control, the image is kept with its top row first,
// as Direct3D keeps it, which lets Mesa present it with a plain copy instead
// of a drawing pass. State reaches GL only when it changes; programs are linked once per
// combination of vertex part, pixel part and alpha test, and only the
// constant registers written since a program last drew are uploaded to it.
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "platform/d3d9/device_state.h"
#include "platform/d3d9/gl/gl_resources.h"
#include "platform/d3d9/kept_frame.h"

namespace d3d9 {

constexpr int kMaxAttributes = 16;

struct GlCaps {
  GLint maxSamples = 0;
  GLint maxTextureSize = 0;
  float maxAnisotropy = 0;  // 0 without the anisotropic filtering extension
};

struct GlProgram {
  GLuint program = 0;
  bool valid = false;
  uint64_t vertexPartId = 0;
  std::vector<ShaderInput> inputs;
  std::vector<int> vsRegisters, psRegisters;
  std::vector<GLint> vsLocations, psLocations;
  uint64_t vsSynced = 0, psSynced = 0, miscSynced = 0;
  GLint wvp = -1, viewport = -1, tfactor = -1, alphaRef = -1;
};

class GlDevice : public Device {
 public:
  // Takes over the created, current context. Check Ready() after constructing.
  GlDevice(HWND window, GlContext context, const D3DPRESENT_PARAMETERS& parameters, const GlCaps& caps,
           const D3DCAPS9& d3dCaps);
  ~GlDevice() override;
  bool Ready() const { return ready_; }

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
  // Lost only in the browser, while WebGL's context is taken away; once it
  // is back, Reset makes the device's objects again.
  HRESULT TestCooperativeLevel() override;
  HRESULT Reset(D3DPRESENT_PARAMETERS*) override;

  HRESULT AcquireThread() override;
  HRESULT ReleaseThread() override;
  HRESULT ReadBackBuffer(std::vector<uint32_t>* argb, int* width, int* height) override;
  HRESULT KeepFrame(uint64_t tag) override;
  HRESULT NoteKeptFrameOpenRects() override;
  HRESULT RestoreKeptFrame(uint64_t tag, OpenRects* open) override;

 private:
  WindowOrigin windowOrigin() const { return topRowFirst_ ? WindowOrigin::Top : WindowOrigin::Bottom; }
  bool MakeContextObjects();
  bool CreateBackBuffer();
  bool AttachFrameStorage(GLuint frameBuffer, GLuint* colourBuffer, GLuint* colourTexture, GLuint* depthBuffer);
  void CopyFrame(GLuint from, GLuint to);
  void ApplyInitialState();
  void ApplyRenderState(D3DRENDERSTATETYPE state);
  void ApplySampler(DWORD sampler);
  void BindTexture(DWORD stage);
  void ApplyBlend();
  // Clears and copies between buffers pause the scissor test: Direct3D's
  // affect the whole buffer.
  void PauseScissor() { glDisable(GL_SCISSOR_TEST); }
  void ApplyScissor();
  void ScissorGl(int left, int top, int right, int bottom);
  HRESULT PrepareDraw();
  void SelectProgram();
  std::unique_ptr<GlProgram> LinkProgram(GLuint vertexPart, GLuint pixelPart, uint64_t vertexPartId,
                                         const std::vector<ShaderInput>& inputs, const TranslatedShader* vs,
                                         const TranslatedShader* ps, int fixedStages);
  GLuint FixedVertexPart(uint64_t* id);
  GLuint FixedPixelPart(const std::string& key, DWORD alphaFunc);
  void SyncUniforms(GlProgram& program);
  void NoteDrawState();
  void SetupVertexInput(GLuint buffer, UINT baseOffset, UINT stride);
  struct VertexArrayLayout;
  void BindVertexArray(const VertexArrayLayout& layout);
  void ForgetReleasedBuffers();
  const std::vector<D3DVERTEXELEMENT9>& ActiveElements();
  void ResolveForReading();

  HWND window_;
  ContextLink context_;
  D3DPRESENT_PARAMETERS parameters_;
  GlCaps glCaps_;
  D3DCAPS9 caps_;
  bool ready_ = false;
  int width_ = 0, height_ = 0, samples_ = 0;

  GLuint frameBuffer_ = 0, colourBuffer_ = 0, colourTexture_ = 0, depthBuffer_ = 0;
  GLuint resolveFrameBuffer_ = 0, resolveColour_ = 0;
  GLuint keptFrameBuffer_ = 0, keptColourBuffer_ = 0, keptColourTexture_ = 0, keptDepthBuffer_ = 0;
  KeptFrameLedger kept_;
  bool keepingFailed_ = false;  // the driver would not make the kept frame's buffers
  bool topRowFirst_ = false;
  GLuint streamBuffer_ = 0;
  size_t streamCapacity_ = 0, streamPosition_ = 0;
  GLuint samplers_[kMaxSamplers] = {};

  DeviceState state_;
  // Bookkeeping that lets a draw skip what has not changed.
  bool programDirty_ = true;
  bool drawStateDirty_ = true;
  GlProgram* program_ = nullptr;
  std::unordered_map<std::string, std::unique_ptr<GlProgram>> programs_;
  std::unordered_map<uint64_t, GLuint> fixedVertexParts_;
  std::unordered_map<std::string, GLuint> fixedPixelParts_;
  // What a driver compiles its shader code for, as far as it follows from
  // the state of a draw; kept to count the ones met for the first time.
  std::unordered_set<std::string> drawStates_;
  uint64_t clock_ = 1;
  uint64_t vsLastWrite_ = 0, psLastWrite_ = 0, miscLastWrite_ = 1;
  std::array<uint64_t, kFloatConstants> vsStamps_{}, psStamps_{};
  D3DMATRIX wvp_{};
  bool wvpDirty_ = true;

  std::vector<D3DVERTEXELEMENT9> fvfElements_;
  DWORD fvfElementsFor_ = ~0u;
  struct VertexInputKey {
    uint64_t vertexPartId = ~0ull;
    const void* elements = nullptr;
    DWORD fvf = 0;
    GLuint buffer = 0;
    UINT baseOffset = 0, stride = 0;
    bool operator==(const VertexInputKey&) const = default;
  } vertexInput_;
  // One vertex array object per buffer and layout, each set up once: Mesa
  // treats an object changed more than four times as dynamic and lays its
  // vertex buffers out differently from then on, which llvmpipe compiles its
  // vertex code for anew. Set up once, every draw of a layout meets the same
  // code, whenever it comes.
  struct VertexArrayLayout {
    struct Array {
      GLint size = 0;  // 0: the input is not read from the buffer
      GLenum type = 0;
      GLboolean normalised = 0;
      UINT offset = 0;
      bool operator<(const Array& o) const {
        return std::tie(size, type, normalised, offset) < std::tie(o.size, o.type, o.normalised, o.offset);
      }
    };
    GLuint buffer = 0;
    UINT stride = 0;
    std::array<Array, kMaxAttributes> arrays{};
    bool operator<(const VertexArrayLayout& o) const {
      return std::tie(buffer, stride, arrays) < std::tie(o.buffer, o.stride, o.arrays);
    }
  };
  std::map<VertexArrayLayout, GLuint> vertexArrays_;
};

// Reads what the GL of this machine offers, through a short-lived hidden
// context. False when there is no OpenGL 3.3 (WebGL 2 in the browser).
bool ProbeGl(GlCaps* caps);

}  // namespace d3d9
