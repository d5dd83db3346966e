#pragma once
// The start-up, frame and shutdown steps that belong to the subsystems above
// the core, in the order the engine calls them.

// Start-up.
void LoadRenderingResources();  // shader folders, built-in textures, programs, fragments, bin meshes
void CreateEmptyMaterial();
void LoadDefaultFontAndQuads();  // default font and the unit quad buffer
void CreateBillboardBuffer();    // shader path only
void CreateWorldAxesAndMaterial();
void GameSetUp();
void BaseStartUp();
void DebugModeUpdate();
void DebugModeDraw();
void DoNothing();

// Frame.
void UpdateWidgets();
void BindSceneDefaults();  // material "empty" and the error texture on stage 0
void DrawFpsOverlay();
void BeginInterfacePass(bool loading);  // interface shaders and the unit quad stream
void DrawWidgets();
void DrawMedalParticles();

// Shutdown.
void ReleaseRenderingResources();
void ReleaseWorldAxes();
