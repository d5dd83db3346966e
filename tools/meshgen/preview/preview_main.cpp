// Renders every generated model into one contact sheet PNG, each in its own
// panel with the texture the game draws it with; below them a corner of a
// round seen through the round's camera, and a generated level's islands
// and props from above.
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "raster.h"
#include "scene.h"

namespace {
struct Entry {
  const char* model;
  const char* texture;
  bool lit;
  Mat4 pose;  // how the game turns it
  Vec3 towardsEye{-1, 0.9, 0.45};
};

constexpr int kPanel = 240, kColumns = 5;
const Colour kBackground{0.86f, 0.89f, 0.93f, 1};

View PanelView(const std::vector<PreviewNode>& nodes, const Mat4& pose, Vec3 towardsEye) {
  Vec3 low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
  for (const PreviewNode& node : nodes)
    for (const PreviewCorner& c : node.corners) {
      Vec3 p = TransformPoint(c.position, node.matrix * pose);
      low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
      high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
  Vec3 centre = (low + high) * 0.5;
  double radius = std::max(Length(high - low) * 0.5, 1e-3);
  double fov = Radians(30);
  // From the round camera's side (-x), above, a little to the screen's left.
  Vec3 eye = centre + Normalized(towardsEye) * (radius / std::sin(fov / 2) * 1.02);
  View view;
  view.eye = eye;
  view.view = LookAtLH(eye, centre, {0, 1, 0});
  view.projection = PerspectiveFovLH(fov, 1, radius * 0.05, radius * 10);
  return view;
}

View SkyView() {
  View view;
  view.eye = {0, 0, 0};
  view.view = LookAtLH({0, 0, 0}, {1, 0.25, 0}, {0, 1, 0});
  view.projection = PerspectiveFovLH(Radians(100), 1, 0.01, 10);
  return view;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <game folder> <output png>\n", argv[0]);
    return 2;
  }
  std::string game = argv[1];
  const std::vector<Entry> entries = {
      {"hexagon", "hex_close6", false, RotationZ(180)},
      {"skybox", "newsky", false, Mat4{}},
      {"l_island", "ostrov", true, Mat4{}, {-1, 0.35, 0.45}},
      {"l_island2", "ostrov1", true, Mat4{}, {-1, 0.35, 0.45}},
      {"l_island3", "ostrov12", true, Mat4{}, {-1, 0.35, 0.45}},
      {"l_island4", "ostrov1", true, Mat4{}, {-1, 0.35, 0.45}},
      {"l_brevno", "brevno11", true, Mat4{}},
      {"l_grass1", "trava", true, Mat4{}},
      {"l_grass2", "trava", true, Mat4{}},
      {"l_grib", "grib", true, Mat4{}},
      {"l_stone1", "kamen", true, Mat4{}},
      {"l_stone2", "kamen", true, Mat4{}},
      {"l_most", "doska", true, Mat4{}},
      {"l_vopros", "vopros", true, Mat4{}},
      {"l_voskl", "vopros", true, Mat4{}},
      {"l_binokl", "binokol", true, RotationY(35)},
      {"l_molot", "molot", true, RotationY(65)},
      {"flower", "f_3", true, Mat4{}},
      {"flag", "flag", false, Mat4{}},
      {"bee", "body", true, RotationY(160)},
      {"head", "bee", true, RotationY(160)},
      {"body", "body", true, RotationY(160)},
      {"wing1", "wing", true, RotationY(160)},
      {"wing2", "wing", true, RotationY(160)},
      {"error", "error", true, Mat4{}},
  };

  std::map<std::string, std::vector<PreviewNode>> models;
  std::map<std::string, Image> textures;
  for (const Entry& e : entries) {
    std::string path = std::string(e.model) == "error" ? game + "/bin/error.msh" : game + "/models/" + e.model + ".msh";
    if (!LoadMsh(path, models[e.model])) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      return 1;
    }
  }
  auto texture = [&](const std::string& name) -> const Image* {
    auto found = textures.find(name);
    if (found == textures.end()) {
      Image image;
      std::string path = name == "error" ? game + "/bin/error.png" : game + "/textures/" + name + ".png";
      if (!LoadPng(path, image)) image = Image();
      found = textures.emplace(name, image).first;
    }
    return found->second.width > 0 ? &found->second : nullptr;
  };

  int rows = (static_cast<int>(entries.size()) + kColumns - 1) / kColumns;
  int sceneHeight = kPanel * kColumns * 3 / 4;
  Image sheet(kPanel * kColumns, kPanel * rows + 2 * sceneHeight, kBackground);
  for (size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    Canvas canvas(kPanel, kPanel, kBackground);
    bool sky = std::string(e.model) == "skybox";
    View view = sky ? SkyView() : PanelView(models[e.model], e.pose, e.towardsEye);
    Shading shading;
    shading.lit = e.lit;
    DrawModel(canvas, models[e.model], e.pose, view, texture(e.texture), shading);
    DrawLabel(canvas.colour, 6, 6, e.model, 2, {0.1f, 0.1f, 0.15f, 1});
    int ox = static_cast<int>(i % kColumns) * kPanel, oy = static_cast<int>(i / kColumns) * kPanel;
    for (int y = 0; y < kPanel; ++y)
      for (int x = 0; x < kPanel; ++x) sheet.At(ox + x, oy + y) = (x == 0 || y == 0) ? Colour{0.6f, 0.62f, 0.66f, 1} : canvas.colour.At(x, y);
  }

  Canvas scene(kPanel * kColumns, sceneHeight, {0, 0, 0, 1});
  DrawRoundScene(
      scene,
      [&](const std::string& name) -> const std::vector<PreviewNode>* {
        auto found = models.find(name);
        return found == models.end() ? nullptr : &found->second;
      },
      texture);
  DrawLabel(scene.colour, 6, 6, "round camera", 2, {1, 1, 1, 1});
  for (int y = 0; y < sceneHeight; ++y)
    for (int x = 0; x < scene.colour.width; ++x) sheet.At(x, kPanel * rows + y) = scene.colour.At(x, y);

  // Islands and props as a generated level lays them out (when the maps
  // have been generated), models the level does not use included.
  Canvas overview(kPanel * kColumns, sceneHeight, {0, 0, 0, 1});
  const std::string level = "3_heart.map";
  if (DrawLevelOverview(
          overview, game + "/maps/" + level, game + "/maps/bin/" + level + ".bin",
          [&](const std::string& name) -> const std::vector<PreviewNode>* {
            auto found = models.find(name);
            return found == models.end() ? nullptr : &found->second;
          },
          texture))
    DrawLabel(overview.colour, 6, 6, ("level " + level).c_str(), 2, {0.1f, 0.1f, 0.15f, 1});
  for (int y = 0; y < sceneHeight; ++y)
    for (int x = 0; x < overview.colour.width; ++x)
      sheet.At(x, kPanel * rows + sceneHeight + y) = overview.colour.At(x, y);

  if (!SavePng(argv[2], sheet)) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
