#pragma once
// The rendering subsystem's part of the engine's start-up, frame and
// shutdown sequences, one function per step.

// Start-up.
void LoadShadersTexturesAndErrorMesh();  // shader folders, built-in textures, programs, fragments, bin\error.msh
void CreateMaterialEmpty();               // "empty" (0, 128, 0.0)
// CreateUnitQuadBuffer and CreateBillboardQuadBuffer: render/quad_buffers.h
void CreateMaterialWorld();               // "world" (4, 0, 0.0)
void CreateMaterialsDiffuseAndSpecular();                // "diffuse" (1, 0, 0.85), then "specular" (3, 64, 0.5)

// Frame.
void BindSceneMaterialAndTexture();     // shader path: "empty", "errortex" on stage 0; else no shaders, no texture
void BeginInterfaceQuads(bool loading);  // pixel program "iface" (none while loading), quad stream, vertex program "iface"

// Shutdown, in this order around the engine's own steps.
void ReleaseTexturesShadersAndMaterials();  // built-in textures, programs and fragments, materials
void ReleaseRenderNames();                  // name tables of shaders, textures and meshes; mesh trees
// ReleaseBillboardQuadBuffer: render/quad_buffers.h
