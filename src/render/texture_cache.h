#pragma once
// Textures by name: each name is loaded once from "textures\<name>.png" and
// bound to a sampler stage by name. Names that were never registered, and
// files that failed to load, bind the error texture.
#include <string>
#include <vector>

#include "platform/d3d9/d3d9.h"
#include "render/name_table.h"

struct TextureInset {
  float u = 0.5f, v = 0.5f;
};

// The texture stage and sampler states the game draws with, set once the
// built-in textures are loaded and again after a device reset.
void SetStageAndSamplerDefaults();

struct TextureCache {
  NameTable names;
  // Parallel to names; each entry holds its own reference, also when it is
  // the shared error texture.
  std::vector<IDirect3DTexture9*> textures;
  IDirect3DTexture9* blackTexture = nullptr;
  IDirect3DTexture9* errorTexture = nullptr;  // null when bin\error.png failed
  // The default font's sheet (or the error texture); fonts that keep it take
  // their own reference.
  IDirect3DTexture9* fontTexture = nullptr;

  // bin\black.png, bin\error.png, bin\defaultfont.png, then the default
  // texture stage and sampler states.
  void loadBuiltInTextures();
  // Registers and loads the new names of the list; false when none was new.
  bool addTextures(const char* list);
  // Null name: no texture. "errortex" and unknown names: the error texture.
  void bindTexture(DWORD stage, const char* name);
  // How far in from its sides the named texture is wholly opaque, with a
  // margin for filtering, as shares of its width and height: 0.5 when no part
  // is. Found by start-up's decoding thread, or else read from the file
  // the first time it is asked for.
  TextureInset opaqueInset(const char* name);
  // The black texture, then the error texture, then the rest.
  void release();
  void releaseNames() {
    names.clear();
    opaqueInsets.clear();
  }

 private:
  IDirect3DTexture9* loadNamed(int32_t index);
  std::vector<TextureInset> opaqueInsets;  // parallel to names; u negative until worked out
};

extern TextureCache Textures;

// Where the texture of that name, and the built-in one, is read from.
std::string TextureFile(const char* name);
std::string BuiltInTextureFile(const char* name);

// One texture file with the game's loading parameters; null on failure.
IDirect3DTexture9* LoadTextureFile(const char* path);
