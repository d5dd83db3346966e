#pragma once
// The shader constant registers the game's programs and fragments read, by
// name. The shader files in bin\shdr and bin\shdrpart say the same in their
// comments; a program that reads a register must find it filled here.

// Vertex shader constants (cN of the vertex programs).
constexpr unsigned VsWorldMatrix = 0;       // c0..c3, transposed
constexpr unsigned VsViewMatrix = 4;        // c4..c7, transposed
constexpr unsigned VsProjectionMatrix = 8;  // c8..c11, transposed
// c12..c15: the world matrix of the mesh node being drawn, or the camera's
// basis that turns a billboard's corners towards the eye (both transposed).
constexpr unsigned VsObjectMatrix = 12;
constexpr unsigned VsBillboardCentre = 16;    // x, y, z, 0
constexpr unsigned VsBillboardHalfSize = 17;  // half width, half height, 1, 1
constexpr unsigned VsLightPosition = 20;
constexpr unsigned VsLightDirection = 24;
constexpr unsigned VsLightColour = 28;
constexpr unsigned VsEyePosition = 32;
constexpr unsigned VsQuadPlacement = 60;  // x, y, width, height of an interface quad
constexpr unsigned VsQuadRegion = 61;     // u, v, du, dv of its texture

// Pixel shader constants (cN of the pixel programs).
constexpr unsigned PsLightPosition = 0;
constexpr unsigned PsLightDirection = 4;
constexpr unsigned PsLightColour = 8;
constexpr unsigned PsEyePosition = 12;
constexpr unsigned PsTint = 16;            // red, green, blue, alpha the texture is multiplied by
constexpr unsigned PsMaterialFactor = 23;  // the material's factor in x, y, z
constexpr unsigned PsMaterialPower = 24;   // the material's specular power in x, y, z
