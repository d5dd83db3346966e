// Writes every model of the game: <game folder>/models/<name>.msh and the
// fallback model <game folder>/bin/error.msh.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "models.h"
#include "msh_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <game folder>\n", argv[0]);
    return 2;
  }
  namespace fs = std::filesystem;
  fs::path game = argv[1];
  std::error_code error;
  fs::create_directories(game / "models", error);
  fs::create_directories(game / "bin", error);

  const std::vector<std::pair<std::string, std::function<ModelNode()>>> models = {
      {"hexagon", MakeHexagon},
      {"l_brevno", MakeLog},
      {"l_binokl", MakeBinoculars},
      {"skybox", MakeSkybox},
      {"l_grass1", [] { return MakeGrassTuft(1); }},
      {"l_grass2", [] { return MakeGrassTuft(2); }},
      {"l_grib", MakeMushroom},
      {"l_island", [] { return MakeIsland(1); }},
      {"l_island2", [] { return MakeIsland(2); }},
      {"l_island3", [] { return MakeIsland(3); }},
      {"l_island4", [] { return MakeIsland(4); }},
      {"l_molot", MakeHammer},
      {"l_most", MakeBridge},
      {"l_stone1", [] { return MakeStone(1); }},
      {"l_stone2", [] { return MakeStone(2); }},
      {"l_vopros", MakeQuestionMark},
      {"l_voskl", MakeExclamationMark},
      {"bee", MakeWholeBee},
      {"flower", MakeFlower},
      {"flag", MakeFlag},
      {"body", MakeBeeBody},
      {"head", MakeBeeHead},
      {"wing1", [] { return MakeBeeWing(true); }},
      {"wing2", [] { return MakeBeeWing(false); }},
  };
  bool ok = true;
  try {
    for (const auto& [name, make] : models) ok = WriteMsh((game / "models" / (name + ".msh")).string(), make()) && ok;
    ok = WriteMsh((game / "bin" / "error.msh").string(), MakeErrorModel()) && ok;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "meshgen: %s\n", e.what());
    ok = false;
  }
  return ok ? 0 : 1;
}
