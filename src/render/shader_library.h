#pragma once
// The stand-alone shader programs of bin\shdr (assembled at start-up, bound
// by name) and the fragments of bin\shdrpart, from which the programs of lit
// materials are composed.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d9/d3d9.h"
#include "render/name_table.h"

// Which fragments a composed program is made of.
constexpr uint32_t kDiffuseFragments = 1;
constexpr uint32_t kSpecularFragments = 2;

struct ShaderLibrary {
  static constexpr int kMaxFragments = 32;
  // A fragment file is read into a buffer of this size, so it keeps at most
  // one byte less.
  static constexpr size_t kFragmentBufferSize = 32000;

  NameTable vertexProgramNames;
  std::vector<IDirect3DVertexShader9*> vertexPrograms;
  NameTable pixelProgramNames;
  std::vector<IDirect3DPixelShader9*> pixelPrograms;
  NameTable vertexFragmentNames;
  std::array<std::string, kMaxFragments> vertexFragments;
  NameTable pixelFragmentNames;
  std::array<std::string, kMaxFragments> pixelFragments;

  // Fills the four name tables from the two folders (shader path only).
  void discover();
  // Assembles the programs and reads the fragments. A program that does not
  // assemble is fatal.
  void load();

  // Empty for a null or unknown name, and for names beyond the 32 slots.
  const std::string& vertexFragment(const char* name) const;
  const std::string& pixelFragment(const char* name) const;

  // "head", then "diffuse" and "specular" as the flags ask, then "end".
  std::string composeVertexText(uint32_t flags) const;
  std::string composePixelText(uint32_t flags) const;
  // Assembled and created; the caller owns the result. Failure is fatal.
  IDirect3DVertexShader9* composeVertexProgram(uint32_t flags) const;
  IDirect3DPixelShader9* composePixelProgram(uint32_t flags) const;

  // No shader at all unless the shader path is on and the name is known.
  void bindVertexProgram(const char* name) const;
  void bindPixelProgram(const char* name) const;
  IDirect3DVertexShader9* vertexProgram(const char* name) const;
  IDirect3DPixelShader9* pixelProgram(const char* name) const;

  // Releases the programs and empties the fragments.
  void release();
  // Frees the four name tables (after the materials are gone).
  void releaseNames();
};

extern ShaderLibrary Shaders;
