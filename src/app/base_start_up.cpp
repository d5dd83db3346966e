#include "app/engine.h"
#include "app/game_set_up.h"
#include "d3dutil/decode_ahead.h"
#include "render/mesh_registry.h"
#include "render/texture_cache.h"
#include "screens/menu_screens.h"
#include "sound/game_sounds.h"
#include "ui/font.h"
#include "ui/interface_textures.h"

// Sound first, then the heavy loading in groups with a loading-screen frame
// between them, then the main menu.
void BaseStartUp() {
  StartSound(Window.MainWindow);
  RenderOneFrame();
  LoadInterfaceTextures(RenderOneFrame);
  RenderOneFrame();
  Meshes.addMeshes(
      "hexagon, l_brevno, l_binokl, skybox, l_grass1, l_grass2, l_grib, l_island, l_island2, l_island3, "
      "l_island4, l_molot, l_most, l_stone1, l_stone2, l_vopros, l_voskl, bee, flower, flag, body, head, "
      "wing1, wing2");
  RenderOneFrame();
  StopDecodingAhead();
  EnterMainMenu();
}

void StartDecodingTextures() {
  std::vector<std::string> files;
  for (const char* name : {"black", "error", "defaultfont"}) files.push_back(BuiltInTextureFile(name));
  files.push_back(LightFontTextureFile());
  files.push_back(TextureFile("menu"));
  for (std::string& file : InterfaceTextureFiles()) files.push_back(std::move(file));
  DecodeAhead(std::move(files));
}
