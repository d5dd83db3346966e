// The scene object reader on any bytes; the objects it keeps are drawn with
// the game scene, by a registered model where the name matches.
#include "core/camera.h"
#include "fuzz_support.h"
#include "game/board.h"
#include "game/draw_game.h"
#include "game/level_files.h"
#include "render/mesh_registry.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EnterScratchFolder();
  fuzz::UseRecordingDevice();
  CreateCamera("default");
  SelectCamera("default");
  createLevel();
  // One registered model, one triangle, for the records that name it.
  const char triangle[] =
      "island 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\n3\n0 0 0\n1 0 0\n0 0 1\n0 1 0\n0 1 0\n0 1 0\n"
      "1\n0 1 2\nostrov.png\n3\n0 0 0\n1 0 0\n0 1 0\n0 1 2\n0\n";
  fuzz::WriteBytes("models/l_island.msh", reinterpret_cast<const uint8_t*>(triangle), sizeof triangle - 1);
  Meshes.addMeshes("l_island");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::WriteBytes("maps/bin/fuzz.bin", data, size);
  loadSceneObjects("maps\\bin\\fuzz.bin");
  drawGame();
  fuzz::UseRecordingDevice()->ClearLog();
  return 0;
}
