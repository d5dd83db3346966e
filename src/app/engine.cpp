#include "app/engine.h"

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/device_recovery.h"
#include "app/game_set_up.h"
#include "app/journal_session.h"
#include "app/test_hooks.h"
#include "core/camera.h"
#include "core/frustum.h"
#include "core/graphics_device.h"
#include "core/lighting.h"
#include "core/modes.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/shader_registers.h"
#include "d3dutil/decode_ahead.h"
#include "platform/data_folders.h"
#include "platform/heap.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "platform/window_visibility.h"
#include "render/interface_quads.h"
#include "render/particles.h"
#include "render/quad_buffers.h"
#include "render/render_steps.h"
#include "render/transforms.h"
#include "sound/game_sounds.h"
#include "ui/font.h"
#include "ui/fps_display.h"
#include "ui/save_notice_drawing.h"
#include "ui/widget_list.h"

namespace {
std::thread RenderThreadHandle;
std::atomic<FrameObserver> afterFrameHook{nullptr};
}  // namespace

bool RenderThreadRunning() { return RenderThreadHandle.joinable(); }

void WindowProc(HWND, uint32_t message, uintptr_t wParam, intptr_t) {
  if (!JournalTakesMessage(message, wParam)) DeliverMessage(message, wParam);
}

void DeliverMessage(uint32_t message, uintptr_t wParam) {
  switch (message) {
    case WM_CHAR:
      Messages.TypedCharacters.push(static_cast<uint8_t>(wParam));
      break;
    case WM_KEYUP:
      Messages.LastKeyUp = static_cast<uint8_t>(wParam);
      break;
    case WM_KEYDOWN:
      Messages.LastKeyDown = static_cast<uint8_t>(wParam);
      break;
    // The window itself goes at shutdown, once the render thread has let go of it.
    case WM_CLOSE:
      Messages.QuitRequested = 1;
      break;
    default: break;
  }
}

void PumpMessages() {
  while (!Messages.QuitRequested) {
    MSG message;
    if (!GetMessageA(&message)) break;
    WindowProc(message.hwnd, message.message, message.wParam, message.lParam);
  }
}

bool CreateMainWindow() {
  // SDL reports client coordinates, so the frame metrics stay zero and the
  // window's client area is exactly the back buffer.
  Window.FrameWidth = Window.FrameHeight = Window.CaptionHeight = 0;
  Window.MainWindow = CreatePlatformWindow("Kestrin", Options.width, Options.height, Options.fullScreen != 0);
  if (!Window.MainWindow) return false;
  CreateGraphicsDevice();
  return true;
}

void UpdateFps() {
  ++FrameRate.FrameCount;
  FrameRate.LastTick = GetTickCount();
  if (FrameRate.LastTick - FrameRate.SampleTick >= 250u) {
    FrameRate.SampleTick = FrameRate.LastTick;
    FrameRate.FramesPerSecond = static_cast<uint32_t>(FrameRate.FrameCount) * 4u;
    FrameRate.FrameCount = 0;
  }
  std::snprintf(FrameRate.FpsText, sizeof FrameRate.FpsText, "fps=%u", FrameRate.FramesPerSecond);
}

namespace {
void SetSceneMatrices() {
  Graphics.ProjectionMatrix = Graphics.SceneProjectionMatrix;
  const Camera& camera = *Cameras.CurrentCamera;
  D3DXVECTOR3 target = camera.position + camera.direction;
  D3DXMatrixLookAtLH(&Graphics.ViewMatrix, &camera.position, &target, &camera.up);
  Device->SetTransform(D3DTS_PROJECTION, &Graphics.ProjectionMatrix);
  Device->SetTransform(D3DTS_VIEW, &Graphics.ViewMatrix);
  Graphics.WorldMatrix = Graphics.SceneWorldMatrix;
  if (Graphics.ShaderPath)
    UploadTransforms();
  else
    Device->SetTransform(D3DTS_WORLD, &Graphics.WorldMatrix);
  D3DXMATRIX worldView, worldViewProjection;
  D3DXMatrixMultiply(&worldView, &Graphics.WorldMatrix, &Graphics.ViewMatrix);
  D3DXMatrixMultiply(&worldViewProjection, &worldView, &Graphics.ProjectionMatrix);
  ExtractFrustum(Graphics.ViewFrustum, worldViewProjection);
}

void SetInterfaceMatrices() {
  Graphics.WorldMatrix = Graphics.InterfaceWorldMatrix;
  Graphics.ViewMatrix = Graphics.InterfaceViewMatrix;
  Graphics.ProjectionMatrix = Graphics.InterfaceProjectionMatrix;
  if (Graphics.ShaderPath) {
    UploadTransforms();
  } else {
    Device->SetTransform(D3DTS_PROJECTION, &Graphics.ProjectionMatrix);
    Device->SetTransform(D3DTS_WORLD, &Graphics.WorldMatrix);
    Device->SetTransform(D3DTS_VIEW, &Graphics.ViewMatrix);
  }
}

D3DCOLOR ClearColour() {
  return 0xFF000000u | (static_cast<uint32_t>(Window.ClearColor.red & 0xFF) << 16) |
         (static_cast<uint32_t>(Window.ClearColor.green & 0xFF) << 8) |
         static_cast<uint32_t>(Window.ClearColor.blue & 0xFF);
}

// One frame. The loading frames drawn during start-up differ in two points:
// they bind no interface pixel shader and draw no results-screen particles.
// While the device is lost the game stands still: false, nothing done.
bool DrawFrame(bool loading) {
  if (!DeviceReadyToDraw()) return false;
  const float white[4] = {1, 1, 1, 1};
  Device->SetPixelShaderConstantF(PsTint, white, 1);
  PollMouse();
  StepJournal();
  UpdateWidgetList();
  UpdateModes();
  Device->BeginScene();
  Device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, ClearColour(), 1.0f, 0);
  forgetHiddenSceneRects();
  Device->SetRenderState(D3DRS_ZENABLE, 1);
  Device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  BindSceneMaterialAndTexture();
  SetSceneMatrices();
  AdvanceCameras();
  UploadLighting();
  DrawModes();
  if (Options.showFps) DrawFpsDisplay();
  Device->SetTexture(1, nullptr);
  UpdateFps();
  Device->SetRenderState(D3DRS_ZENABLE, 0);
  SetInterfaceMatrices();
  BeginInterfaceQuads(loading);
  DrawWidgetList();
  if (!loading) Particles.MedalParticles.draw();
  DrawSaveNotice();
  GiveBackFreedHeapIfAsked();
  Device->EndScene();
  Device->Present(nullptr, nullptr, nullptr, nullptr);
  return true;
}

void LoadSettings() {
  LoadOptions(PlayerFile("bin\\default.cfg"));
  Window.AspectRatio = static_cast<float>(Options.height) / static_cast<float>(Options.width);
}

void FatalNoWindow() {
  MessageBoxA("Cannot open the game window: no display is available.", "Kestrin");
  GraphicsDeviceExit(1);
}

// Nobody sees the frames of a minimised or hidden window: none are drawn,
// and the clock stands still meanwhile, so nothing has jumped ahead when
// the window comes back.
void WaitWhileHidden() {
  constexpr uint32_t LookAgainMilliseconds = 50;
  PauseClock();
  while (WindowHidden() && !Messages.QuitRequested) Sleep(LookAgainMilliseconds);
  ResumeClock();
}
}  // namespace

void SetAfterFrameHook(FrameObserver hook) { afterFrameHook = hook; }

void RenderOneFrame() { DrawFrame(true); }

bool RunFrame() {
  if (!DrawFrame(false)) return false;
  if (FrameObserver hook = afterFrameHook) hook();
  return true;
}

void FrameLoop() {
  Device->AcquireThread();
  while (!Messages.QuitRequested) {
    if (WindowHidden()) {
      WaitWhileHidden();
      continue;
    }
    if (!RunFrame()) Sleep(LostDeviceWaitMilliseconds);
  }
  EndJournal();
  Device->ReleaseThread();
  // Wake the message loop so it notices the quit even without a window event.
  PostWakeMessage();
}

void EngineLoad(HWND host) {
  SetUpHeap();

  StartDecodingTextures();
  Messages.QuitRequested = 0;
  // Each session samples its frame rate afresh: movement is scaled by it, so a
  // replay in the same process must not inherit the last session's count.
  FrameRate.FrameCount = 0;
  FrameRate.FramesPerSecond = 0;
  FrameRate.SampleTick = FrameRate.LastTick = 0;
  if (!host) {
    LoadSettings();
    if (!CreateMainWindow()) {
      FatalNoWindow();
      return;
    }
  } else {
    Window.MainWindow = host;
    Window.AspectRatio = static_cast<float>(Options.height) / static_cast<float>(Options.width);
    CreateGraphicsDevice();
  }
  Window.HostWindow = host;
  BeginJournal();

  Camera* camera = CreateCamera("default");
  SelectCamera("default");
  camera->animated = 1;

  LoadShadersTexturesAndErrorMesh();
  CreateMaterialEmpty();
  LoadDefaultFont();
  CreateUnitQuadBuffer();
  if (Graphics.ShaderPath) CreateBillboardQuadBuffer();
  RegisterMode("base", BaseStartUp, nullptr);
  RegisterMode("debug", DebugModeUpdate, DebugModeDraw);
  CreateMaterialWorld();
  GameSetUp();
}

void EngineStart(HWND host) {
  EngineLoad(host);
  // Only a test's exit hook returns from a fatal start-up.
  if (!Device) return;
  Device->ReleaseThread();
  RenderThreadHandle = std::thread(FrameLoop);
  if (!host) PumpMessages();
}

void EngineShutdown() {
  Messages.QuitRequested = 1;
  // Nothing is released while the render thread may still be inside a frame.
  if (RenderThreadHandle.joinable()) RenderThreadHandle.join();
  StopDecodingAhead();
  if (!Window.MainWindow) return;
  if (Device) Device->AcquireThread();
  ClearCameras();
  ReleaseTexturesShadersAndMaterials();
  ReleaseRenderNames();
  ClearWidgets();
  if (Graphics.ShaderPath) ReleaseBillboardQuadBuffer();
  ClearModes();
  releaseParticleEmitters();
  ReleaseUnitQuadBuffer();
  ReleaseFonts();
  StopSound();
  ReleaseGraphicsDevice();
  if (!Window.HostWindow) DestroyWindow(Window.MainWindow);
  Window.MainWindow = nullptr;
}
