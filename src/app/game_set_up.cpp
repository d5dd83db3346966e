#include "app/game_set_up.h"

#include "app/engine.h"
#include "core/modes.h"
#include "core/options.h"
#include "game/bee.h"
#include "game/board.h"
#include "game/draw_game.h"
#include "game/level_files.h"
#include "profile/profiles.h"
#include "render/particles.h"
#include "render/render_steps.h"
#include "render/texture_cache.h"
#include "screens/menu_mode.h"
#include "screens/menu_screens.h"
#include "screens/start_level.h"
#include "screens/update_game.h"
#include "screens/world_map.h"
#include "ui/font.h"
#include "ui/layout_loader.h"

void DebugModeUpdate() {}
void DebugModeDraw() {}

void GameSetUp() {
  Options.quitHooks.playClick = PlayClickSound;
  // The board, the bee and the tile mesh stay until the process ends: the
  // frame that runs the quit still draws them.
  Options.quitHooks.requestQuit = RequestQuit;

  Window.ClearColor = ClearColorRGB{0, 0, 0};
  scanLevels();
  createParticleEmitters();
  RegisterMode("menu", MenuModeUpdate, MenuModeDraw);
  RegisterMode("game", updateGame, drawGame);
  LoadLightFont();
  CreateMaterialsDiffuseAndSpecular();
  createLevel();
  TheBee.reset();
  for (const char* name : {"debug", "base", "game", "menu"}) SetModeActive(name, 0);
  ResolutionChoiceFromWidth();
  Textures.addTextures("menu");
  LoadLayout("loading");
  LoadProfiles();
  configureMedalParticles();
  linkPlayScreens();
  linkMapScreens();
  BaseStartUp();
}
