#include "scene.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

Mat4 DrawTransform(Vec3 position, double angleX, double angleY, double angleZ, double scale) {
  return Scaling(scale, scale, scale) * RotationZ(angleZ) * RotationY(angleY) * RotationX(angleX) *
         Translation(position);
}

namespace {
constexpr double kCos30 = 0.8660254;
constexpr int kRowLenEven = 21, kRowLenOdd = 20, kRows = 20;

Vec3 CellCentre(int row, int column) {
  return {(2 * column + 1 + row % 2) * kCos30, 17.0, 1.5 * row + 1.0};
}

// The round's camera following a bee at (x, z).
View RoundView(double beeX, double beeZ, int width, int height) {
  Vec3 position{beeX - std::cos(Radians(6 + 75.7)) * 18.8, 18.8 * std::sin(Radians(75.7)) + 10.0, beeZ};
  Mat4 turn = RotationZ(0) * RotationX(-75.7) * RotationY(-90);
  Vec3 direction = TransformPoint({0, 0, -1}, turn), up = TransformPoint({0, 1, 0}, turn);
  View view;
  view.eye = position;
  view.view = LookAtLH(position, position + direction, up);
  view.projection = PerspectiveFovLH(0.75 * 1.5707964, static_cast<double>(width) / height, 0.01, 800.0);
  return view;
}

struct Cell {
  int row, column;
  enum Kind { Closed, Open, Bomb } kind;
  int number;
  bool flag, flower;
};
}  // namespace

void DrawRoundScene(Canvas& canvas, const ModelLookup& model, const TextureLookup& texture) {
  const int beeRow = 3, beeColumn = 3;
  Vec3 bee = CellCentre(beeRow, beeColumn);
  View view = RoundView(bee.x, bee.z, canvas.colour.width, canvas.colour.height);
  Shading unlit{false};
  Shading lit{true, {1, 1, 1}, 0.5};
  auto draw = [&](const char* mesh, const char* skin, const Mat4& world, const Shading& shading) {
    if (const auto* nodes = model(mesh)) DrawModel(canvas, *nodes, world, view, texture(skin), shading);
  };

  draw("skybox", "newsky", DrawTransform({20, -100, 20}, 0, 0, 0, 300), unlit);
  // Islands under the board as the scene objects lay them, and props.
  struct Placed {
    const char* mesh;
    const char* skin;
    Vec3 at;
    double yaw, scale;
  };
  const Placed scenery[] = {
      {"l_island", "ostrov", {7, 16.9, 7}, 20, 10.5},      {"l_island2", "ostrov1", {7, 16.9, 23}, 80, 10.5},
      {"l_island3", "ostrov12", {19, 16.9, 15}, 140, 12},   {"l_island4", "ostrov1", {30, 16.9, 7}, 200, 10},
      {"l_island", "ostrov", {30, 16.9, 24}, 260, 10},      {"l_island4", "ostrov1", {4, 16.9, -10.5}, 30, 2.6},
      {"l_most", "doska", {4, 16.9, -3.2}, 90, 4.8},         {"l_grib", "grib", {4.2, 16.9, -10.5}, 10, 0.8},
      {"l_grass1", "trava", {-1.2, 16.9, 2.5}, 0, 1.0},      {"l_grass2", "trava", {-1.5, 16.9, 9.0}, 50, 0.9},
      {"l_stone1", "kamen", {-2.0, 16.9, 5.6}, 30, 0.8},     {"l_stone2", "kamen", {9.5, 16.9, -1.6}, 0, 0.7},
      {"l_grib", "grib", {1.0, 16.9, -1.4}, 70, 0.6},        {"l_brevno", "brevno11", {-1.6, 16.9, 13.0}, 20, 1.1},
      {"l_grass1", "trava", {12.5, 16.9, -1.3}, 0, 0.8},     {"l_vopros", "vopros", {-2.2, 16.9, -1.5}, 0, 0.6},
  };
  for (const Placed& p : scenery) draw(p.mesh, p.skin, DrawTransform(p.at, 0, p.yaw, 0, p.scale), lit);

  // A few cells around the bee: opened ones with numbers, a bomb, flags.
  std::vector<Cell> cells;
  for (int row = 0; row < 9; ++row)
    for (int column = 0; column < (row % 2 ? kRowLenOdd : kRowLenEven) && column < 9; ++column) {
      Cell cell{row, column, Cell::Closed, 0, false, false};
      int dr = row - beeRow, dc = column - beeColumn;
      if (dr * dr + dc * dc <= 5) {
        cell.kind = Cell::Open;
        cell.number = (row * 3 + column) % 7;
      }
      if (row == 1 && column == 5) cell.kind = Cell::Bomb;
      cell.flag = (row == 6 && column == 2) || (row == 5 && column == 6);
      cell.flower = (row == 2 && column == 6) || (row == 7 && column == 4);
      cells.push_back(cell);
    }
  (void)kRows;
  for (const Cell& cell : cells) {
    Vec3 c = CellCentre(cell.row, cell.column);
    if (cell.flower) draw("flower", "f_3", DrawTransform({c.x, 17.1, c.z}, 0, 0, 0, 0.15), lit);
  }
  Vec3 binoculars = CellCentre(6, 5), hammer = CellCentre(2, 1);
  draw("l_binokl", "binokol", DrawTransform({binoculars.x, 17.6, binoculars.z}, 0, 35, 0, 0.03), lit);
  draw("l_molot", "molot", DrawTransform({hammer.x, 17.6, hammer.z}, 0, 35 + 30, 0, 0.03), lit);

  // The bee flying towards +x +z, in mid-flap.
  double heading = 45, scale = 0.8, wing = 22;
  Vec3 at{bee.x, 17.9, bee.z};
  draw("head", "bee", DrawTransform(at, -2, heading + 8 + 180, 0, scale), lit);
  draw("body", "body", DrawTransform(at, 5, heading + 180, 0, scale), lit);
  Vec3 hinge{at.x, at.y + 0.25 * scale, at.z};
  draw("wing1", "wing", DrawTransform(hinge, 0, heading + 180, wing, scale), lit);
  draw("wing2", "wing", DrawTransform(hinge, 0, heading + 180, -wing, scale), lit);

  for (const Cell& cell : cells) {
    Vec3 c = CellCentre(cell.row, cell.column);
    if (cell.kind == Cell::Open && cell.number > 0) {
      std::string tile = "hex_open_" + std::to_string(cell.number);
      std::string plate = "hex_number_" + std::to_string(cell.number);
      draw("hexagon", tile.c_str(), DrawTransform(c, 0, 0, 0, 1), unlit);
      draw("hexagon", plate.c_str(), DrawTransform({c.x, 17.1, c.z}, 180, -90, 0, 0.5), unlit);
    } else {
      const char* skin = cell.kind == Cell::Closed ? "hex_close6" : (cell.kind == Cell::Bomb ? "hex_bomb" : "hex_open_void");
      draw("hexagon", skin, DrawTransform(c, 0, 0, 180, 1), unlit);
    }
    if (cell.row == beeRow && cell.column == beeColumn) draw("hexagon", "hex_30", DrawTransform(c, 0, 0, 180, 1), unlit);
    if (cell.row == 4 && cell.column == 5) draw("hexagon", "hex_40", DrawTransform(c, 0, 0, 180, 1), unlit);
  }
  for (const Cell& cell : cells)
    if (cell.flag) draw("flag", "flag", DrawTransform(CellCentre(cell.row, cell.column), 0, 0, 0, 0.5), unlit);
}

namespace {
std::vector<char> FileContents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

template <typename T>
T At(const std::vector<char>& bytes, size_t offset) {
  T value{};
  if (offset + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}
}  // namespace

bool DrawLevelOverview(Canvas& canvas, const std::string& mapPath, const std::string& scenePath,
                       const ModelLookup& model, const TextureLookup& texture) {
  std::vector<char> map = FileContents(mapPath), scene = FileContents(scenePath);
  if (map.size() < 168 || scene.size() < 4) return false;
  View view;
  Vec3 centre{18.2, 17.0, 15.25};
  view.eye = centre + Vec3{-21, 24, -5};
  view.view = LookAtLH(view.eye, centre + Vec3{2, -3, 0}, {1, 0, 0});
  view.projection =
      PerspectiveFovLH(0.75 * 1.5707964, static_cast<double>(canvas.colour.width) / canvas.colour.height, 0.01, 800.0);
  Shading unlit{false};
  Shading lit{true, {1, 1, 1}, 0.5};
  auto draw = [&](const std::string& mesh, const std::string& skin, const Mat4& world, const Shading& shading) {
    if (const auto* nodes = model(mesh)) DrawModel(canvas, *nodes, world, view, texture(skin), shading);
  };
  draw("skybox", "newsky", DrawTransform({20, -100, 20}, 0, 0, 0, 300), unlit);
  uint32_t objects = At<uint32_t>(scene, 0);
  for (uint32_t i = 0; i < objects && 4 + 84 * (i + 1) <= scene.size(); ++i) {
    size_t record = 4 + 84 * i;
    std::string mesh(scene.data() + record, strnlen(scene.data() + record, 32));
    std::string skin(scene.data() + record + 32, strnlen(scene.data() + record + 32, 32));
    float yaw = At<float>(scene, record + 64), scale = At<float>(scene, record + 68);
    Vec3 position{At<float>(scene, record + 72), At<float>(scene, record + 76), At<float>(scene, record + 80)};
    draw(mesh, skin, DrawTransform(position, 0, yaw, 0, scale), lit);
  }
  int32_t cells = At<int32_t>(map, 44);
  for (int32_t i = 0; i < cells && 168 + 32 * (i + 1) <= static_cast<int64_t>(map.size()); ++i) {
    size_t record = 168 + 32 * static_cast<size_t>(i);
    if (At<int32_t>(map, record + 24) < 0) continue;
    Vec3 c{At<float>(map, record), 17.0, At<float>(map, record + 4)};
    draw("hexagon", "hex_close6", DrawTransform(c, 0, 0, 180, 1), unlit);
  }
  return true;
}
