#include "app/engine_steps.h"

#include "app/engine.h"
#include "app/graphics_device.h"
#include "app/modes.h"
#include "app/options.h"

void DoNothing() {}

// The debug mode is registered but never switched on.
void DebugModeUpdate() {}
void DebugModeDraw() {}

// Steps of the subsystems still to come stay empty until they land.
void LoadRenderingResources() {}
void CreateEmptyMaterial() {}
void LoadDefaultFontAndQuads() {}
void CreateBillboardBuffer() {}
void CreateWorldAxesAndMaterial() {}
void BaseStartUp() {}
void UpdateWidgets() {}
void BindSceneDefaults() {}
void DrawFpsOverlay() {}
void BeginInterfacePass(bool) {}
void DrawWidgets() {}
void DrawMedalParticles() {}
void ReleaseRenderingResources() {}
void ReleaseWorldAxes() {}

void GameSetUp() {
  ClearColor = ClearColorRGB{0, 0, 0};
  RegisterMode("menu", nullptr, nullptr);
  RegisterMode("game", nullptr, nullptr);
  for (const char* name : {"debug", "base", "game", "menu"}) SetModeActive(name, 0);
  ResolutionChoiceFromWidth();
  BaseStartUp();
}
