#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "content_paths.h"
#include "d3dutil/math.h"
#include "model_file.h"

using namespace contenttest;

namespace {
const std::vector<std::string> kModelNames = {
    "hexagon", "l_brevno", "l_binokl", "skybox", "l_grass1", "l_grass2", "l_grib", "l_island",
    "l_island2", "l_island3", "l_island4", "l_molot", "l_most", "l_stone1", "l_stone2", "l_vopros",
    "l_voskl", "bee", "flower", "flag", "body", "head", "wing1", "wing2"};

std::string ModelPath(const std::string& name) {
  return name == "error" ? GameFile("bin/error.msh") : GameFile("models/" + name + ".msh");
}

const TestModel& Model(const std::string& name) {
  static std::map<std::string, TestModel> cache;
  auto found = cache.find(name);
  if (found == cache.end()) found = cache.emplace(name, ReadModelFile(ModelPath(name))).first;
  return found->second;
}

double Length(const TestVec3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }
TestVec3 Minus(const TestVec3& a, const TestVec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Dot(const TestVec3& a, const TestVec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Every position of a model in its root's space (child matrices applied).
std::vector<TestVec3> PlacedPositions(const TestModel& model) {
  std::vector<TestVec3> points;
  for (const TestNode& node : model.nodes)
    for (const TestVec3& p : node.positions) points.push_back(TransformPoint(p, node.accumulated));
  return points;
}

struct Box {
  TestVec3 low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
};

Box BoundsOf(const std::vector<TestVec3>& points) {
  Box box;
  for (const TestVec3& p : points) {
    box.low = {std::min(box.low.x, p.x), std::min(box.low.y, p.y), std::min(box.low.z, p.z)};
    box.high = {std::max(box.high.x, p.x), std::max(box.high.y, p.y), std::max(box.high.z, p.z)};
  }
  return box;
}

// The game's placement of a drawn mesh: S x Rz x Ry x Rx x T.
D3DXMATRIX DrawTransform(float x, float y, float z, float ax, float ay, float az, float scale) {
  D3DXMATRIX s, rx, ry, rz, t, w;
  D3DXMatrixScaling(&s, scale, scale, scale);
  D3DXMatrixRotationX(&rx, D3DXToRadian(ax));
  D3DXMatrixRotationY(&ry, D3DXToRadian(ay));
  D3DXMatrixRotationZ(&rz, D3DXToRadian(az));
  D3DXMatrixTranslation(&t, x, y, z);
  w = s * rz * ry * rx * t;
  return w;
}

D3DXVECTOR3 Through(const D3DXMATRIX& m, const TestVec3& p) {
  D3DXVECTOR3 in(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)), out;
  D3DXVec3TransformCoord(&out, &in, &m);
  return out;
}

// The view of a round's camera over a bee at the origin of the board plane.
D3DXMATRIX RoundCameraView() {
  D3DXMATRIX rx, ry, turn;
  D3DXMatrixRotationX(&rx, D3DXToRadian(-75.7f));
  D3DXMatrixRotationY(&ry, D3DXToRadian(-90.0f));
  turn = rx * ry;
  D3DXVECTOR3 ahead(0, 0, -1), up(0, 1, 0), direction, upward;
  D3DXVec3TransformCoord(&direction, &ahead, &turn);
  D3DXVec3TransformCoord(&upward, &up, &turn);
  D3DXVECTOR3 eye(-std::cos(D3DXToRadian(81.7f)) * 18.8f, 18.8f * std::sin(D3DXToRadian(75.7f)) + 10.0f, 0);
  D3DXVECTOR3 at = eye + direction;
  D3DXMATRIX view;
  D3DXMatrixLookAtLH(&view, &eye, &at, &upward);
  return view;
}

// The hexagon's face: the vertices in the plane y = 0.
std::vector<size_t> FaceVertices(const TestNode& node) {
  std::vector<size_t> face;
  for (size_t i = 0; i < node.positions.size(); ++i)
    if (std::fabs(node.positions[i].y) < 1e-6) face.push_back(i);
  return face;
}

// Where a vertical line at (x, z) meets the model's upward-facing triangles.
bool HighestHit(const TestModel& model, double x, double z, double& height) {
  bool hit = false;
  for (const TestNode& node : model.nodes)
    for (const auto& t : node.triangles) {
      TestVec3 a = node.positions[t[0]], b = node.positions[t[1]], c = node.positions[t[2]];
      double d = (b.z - c.z) * (a.x - c.x) + (c.x - b.x) * (a.z - c.z);
      if (std::fabs(d) < 1e-12) continue;
      double l0 = ((b.z - c.z) * (x - c.x) + (c.x - b.x) * (z - c.z)) / d;
      double l1 = ((c.z - a.z) * (x - c.x) + (a.x - c.x) * (z - c.z)) / d;
      double l2 = 1 - l0 - l1;
      if (l0 < -1e-9 || l1 < -1e-9 || l2 < -1e-9) continue;
      double y = l0 * a.y + l1 * b.y + l2 * c.y;
      if (!hit || y > height) height = y;
      hit = true;
    }
  return hit;
}
}  // namespace

TEST(ModelContent, EveryModelReadsCompletelyWithinTheFormatsLimits) {
  std::vector<std::string> names = kModelNames;
  names.push_back("error");
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const TestModel& model = Model(name);
    ASSERT_EQ(model.error, "");
    ASSERT_FALSE(model.nodes.empty());
    EXPECT_EQ(model.nodes[0].name, name);
    size_t triangles = 0;
    for (const TestNode& node : model.nodes) {
      SCOPED_TRACE(node.name);
      EXPECT_LT(node.name.size(), 32u);
      // Stored without its last four characters; it must keep a name.
      ASSERT_GT(node.texture.size(), 4u);
      EXPECT_LT(node.texture.size(), 32u);
      EXPECT_EQ(node.texture.substr(node.texture.size() - 4), ".png");
      EXPECT_LE(node.positions.size(), 65535u);
      EXPECT_FALSE(node.triangles.empty());
      triangles += node.triangles.size();
      for (size_t t = 0; t < node.triangles.size(); ++t)
        for (int k = 0; k < 3; ++k) {
          ASSERT_GE(node.triangles[t][k], 0);
          ASSERT_LT(node.triangles[t][k], static_cast<long>(node.positions.size()));
          ASSERT_GE(node.uvTriangles[t][k], 0);
          ASSERT_LT(node.uvTriangles[t][k], static_cast<long>(node.uvs.size()));
        }
      for (size_t i = 0; i < node.positions.size(); ++i) {
        const TestVec3& p = node.positions[i];
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
        EXPECT_LT(Length(p), 100.0);
        ASSERT_NEAR(Length(node.normals[i]), 1.0, 2e-3) << "normal " << i;
      }
      for (const TestVec3& uv : node.uvs) ASSERT_TRUE(std::isfinite(uv.x) && std::isfinite(uv.y));
      for (double v : node.own) ASSERT_TRUE(std::isfinite(v));
    }
    // Each triangle becomes three 56-byte vertices in one buffer per node.
    EXPECT_LT(triangles, 40000u);
  }
}

TEST(ModelContent, CountsNeverStartWithZero) {
  // Counts are read as "%i", which takes "010" for 8: a count on its own line
  // may be "0" but never start with a 0 otherwise.
  for (const std::string& name : kModelNames) {
    std::string text = FileBytes(ModelPath(name));
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      bool digits = !line.empty() && line.find_first_not_of("0123456789") == std::string::npos;
      if (digits) {
        EXPECT_TRUE(line == "0" || line[0] != '0') << name << ": " << line;
      }
      start = end + 1;
    }
  }
}

TEST(ModelContent, HexagonCellHasItsFaceAtZeroWithCornersOneAwayAndTheRimBelowWhenTurned) {
  const TestModel& model = Model("hexagon");
  ASSERT_EQ(model.error, "");
  ASSERT_EQ(model.nodes.size(), 1u);
  const TestNode& node = model.nodes[0];
  std::vector<size_t> face = FaceVertices(node);
  ASSERT_GE(face.size(), 6u);
  int corners = 0;
  for (size_t i : face) {
    double reach = std::hypot(node.positions[i].x, node.positions[i].z);
    EXPECT_LE(reach, 1.0 + 1e-4);
    if (std::fabs(reach - 1.0) < 1e-4) {
      ++corners;
      // Corners towards +-z and at +-60 degrees from them; flat sides face +-x.
      double angle = std::atan2(node.positions[i].x, node.positions[i].z) * 180 / M_PI;
      EXPECT_NEAR(std::remainder(angle, 60.0), 0.0, 1e-3);
    }
  }
  EXPECT_GE(corners, 6);
  // The whole texture spans the face.
  double lowU = 1, highU = 0, lowV = 1, highV = 0;
  for (size_t i : face) {
    lowU = std::min(lowU, node.uvs[i].x), highU = std::max(highU, node.uvs[i].x);
    lowV = std::min(lowV, node.uvs[i].y), highV = std::max(highV, node.uvs[i].y);
  }
  EXPECT_NEAR(lowU, 0, 1e-4);
  EXPECT_NEAR(highU, 1, 1e-4);
  EXPECT_NEAR(lowV, 0, 1e-4);
  EXPECT_NEAR(highV, 1, 1e-4);

  // Drawn as a cell: turned half a turn about z at height 17. The face then
  // lies at 17 facing up, and everything else hangs below it, a little.
  D3DXMATRIX cell = DrawTransform(5, 17, 3, 0, 0, 180, 1);
  for (size_t i = 0; i < node.positions.size(); ++i) {
    D3DXVECTOR3 p = Through(cell, node.positions[i]);
    EXPECT_LE(p.y, 17.0f + 1e-4f);
    EXPECT_GE(p.y, 16.85f);
  }
  for (const auto& t : node.triangles) {
    if (std::fabs(node.positions[t[0]].y) > 1e-6 || std::fabs(node.positions[t[1]].y) > 1e-6 ||
        std::fabs(node.positions[t[2]].y) > 1e-6)
      continue;
    D3DXVECTOR3 normal;
    D3DXVECTOR3 n(static_cast<float>(node.normals[t[0]].x), static_cast<float>(node.normals[t[0]].y),
                  static_cast<float>(node.normals[t[0]].z));
    D3DXVec3TransformNormal(&normal, &n, &cell);
    EXPECT_NEAR(normal.y, 1.0f, 1e-3f);
  }
}

TEST(ModelContent, NumberPlateShowsItsTextureUprightThroughTheRoundCamera) {
  const TestNode& node = Model("hexagon").nodes.at(0);
  D3DXMATRIX plate = DrawTransform(0, 17.1f, 0, 180, -90, 0, 0.5f);
  D3DXMATRIX view = RoundCameraView();
  D3DXMATRIX toView = plate * view;
  // Across the face, screen x must grow with u and screen y with the image's
  // rows going up (the game takes 1 - v as the texture's v).
  std::vector<size_t> face = FaceVertices(node);
  for (size_t a : face)
    for (size_t b : face) {
      D3DXVECTOR3 pa = Through(toView, node.positions[a]), pb = Through(toView, node.positions[b]);
      double du = node.uvs[b].x - node.uvs[a].x, dv = node.uvs[b].y - node.uvs[a].y;
      if (du > 0.3) {
        EXPECT_GT(pb.x, pa.x) << a << " " << b;
      }
      if (dv > 0.3) {
        EXPECT_GT(pb.y, pa.y) << a << " " << b;
      }
    }
}

TEST(ModelContent, BeePartsFitTogetherFacingMinusZ) {
  Box head = BoundsOf(PlacedPositions(Model("head")));
  Box body = BoundsOf(PlacedPositions(Model("body")));
  Box right = BoundsOf(PlacedPositions(Model("wing1")));
  Box left = BoundsOf(PlacedPositions(Model("wing2")));
  // The head sits in front (-z) of the body and overlaps it.
  EXPECT_LT(head.low.z, body.low.z);
  EXPECT_LT(body.low.z, head.high.z);
  // The body is centred on the origin, its top near the wing hinge at 0.25.
  EXPECT_LT(body.low.z, -0.2);
  EXPECT_GT(body.high.z, 0.2);
  EXPECT_NEAR(body.high.y, 0.3, 0.06);
  // Wings hinge at their origin: wing1 spreads to +x, wing2 to -x, mirrored,
  // so flapping one by +a and the other by -a about z lifts both together.
  EXPECT_GE(right.low.x, 0.0);
  EXPECT_LE(left.high.x, 0.0);
  EXPECT_NEAR(right.high.x, -left.low.x, 1e-4);
  EXPECT_LT(right.low.x, 0.1);
  EXPECT_GT(right.high.x, 0.4);
  D3DXMATRIX lifted = DrawTransform(0, 0, 0, 0, 0, 30, 1), lowered = DrawTransform(0, 0, 0, 0, 0, -30, 1);
  EXPECT_GT(Through(lifted, {right.high.x, 0, 0}).y, 0.1f);
  EXPECT_GT(Through(lowered, {left.low.x, 0, 0}).y, 0.1f);
  // The whole bee holds the same parts.
  const TestModel& bee = Model("bee");
  ASSERT_EQ(bee.error, "");
  EXPECT_EQ(bee.nodes.size(), 4u);
}

TEST(ModelContent, IslandsHaveAFlatTopOfRadiusOneAtHeightZero) {
  for (const char* name : {"l_island", "l_island2", "l_island3", "l_island4"}) {
    SCOPED_TRACE(name);
    const TestModel& model = Model(name);
    ASSERT_EQ(model.error, "");
    Box box = BoundsOf(PlacedPositions(model));
    EXPECT_NEAR(box.high.y, 0.0, 1e-4);
    EXPECT_LT(box.low.y, -0.6);  // a real body under the grass
    EXPECT_LT(std::max({box.high.x, -box.low.x, box.high.z, -box.low.z}), 1.15);
    // Every point of the unit disc (scaled to the radius a scene object
    // gives it) has grass just under height 0 above it.
    for (int ring = 0; ring <= 8; ++ring)
      for (int step = 0; step < 36; ++step) {
        double r = 0.97 * ring / 8, a = step * M_PI / 18;
        double height = 0;
        ASSERT_TRUE(HighestHit(model, r * std::cos(a), r * std::sin(a), height)) << r << " " << a;
        EXPECT_LE(height, 1e-6);
        EXPECT_GE(height, -0.05);
      }
  }
}

TEST(ModelContent, SkyFacesInwardsAndPropsStandOnTheGround) {
  const TestNode& sky = Model("skybox").nodes.at(0);
  for (size_t i = 0; i < sky.positions.size(); ++i) {
    EXPECT_NEAR(Length(sky.positions[i]), 1.0, 1e-3);
    EXPECT_LT(Dot(sky.normals[i], sky.positions[i]), -0.9);
  }
  for (const char* name : {"l_brevno", "l_grass1", "l_grass2", "l_grib", "l_stone1", "l_stone2", "l_vopros", "l_voskl"}) {
    SCOPED_TRACE(name);
    Box box = BoundsOf(PlacedPositions(Model(name)));
    EXPECT_NEAR(box.low.y, 0.0, 0.08);
    double size = std::max({box.high.x - box.low.x, box.high.y - box.low.y, box.high.z - box.low.z});
    EXPECT_GT(size, 0.5);
    EXPECT_LT(size, 2.5);
  }
  // The bridge spans one unit along +x from its origin, deck ends at 0.
  Box bridge = BoundsOf(PlacedPositions(Model("l_most")));
  EXPECT_NEAR(bridge.low.x, 0.0, 0.03);
  EXPECT_NEAR(bridge.high.x, 1.0, 0.03);
  double endHeight = 0;
  ASSERT_TRUE(HighestHit(Model("l_most"), 0.04, 0.0, endHeight));
  EXPECT_NEAR(endHeight, 0.0, 0.03);
}

TEST(ModelContent, SolidModelsHaveTheirNormalsFacingOut) {
  // The normals agree with the triangles' winding, and the winding encloses
  // a positive volume (outwards); the sky is seen from inside.
  for (const char* name : {"l_stone1", "l_stone2", "body", "head", "l_grib", "l_brevno", "l_molot", "l_binokl",
                           "l_island", "l_island4", "l_vopros", "skybox"}) {
    SCOPED_TRACE(name);
    double volume = 0;
    size_t agreeing = 0, total = 0;
    for (const TestNode& node : Model(name).nodes)
      for (const auto& t : node.triangles) {
        TestVec3 a = node.positions[t[0]], b = node.positions[t[1]], c = node.positions[t[2]];
        TestVec3 e1 = Minus(b, a), e2 = Minus(c, a);
        TestVec3 face{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
        TestVec3 normals{node.normals[t[0]].x + node.normals[t[1]].x + node.normals[t[2]].x,
                         node.normals[t[0]].y + node.normals[t[1]].y + node.normals[t[2]].y,
                         node.normals[t[0]].z + node.normals[t[1]].z + node.normals[t[2]].z};
        if (Dot(face, normals) > 0) ++agreeing;
        ++total;
        volume += Dot(a, {b.y * c.z - b.z * c.y, b.z * c.x - b.x * c.z, b.x * c.y - b.y * c.x}) / 6;
      }
    EXPECT_GT(agreeing, total * 97 / 100);
    if (std::string(name) == "skybox") {
      EXPECT_LT(volume, 0);
    } else {
      EXPECT_GT(volume, 0);
    }
  }
}

TEST(ModelContent, ItemsAndFlowersSitInTheirCellsWhenDrawn) {
  // Tools at scale 0.03 and the flower at 0.15 stay within a cell (radius 1)
  // around its centre; the flag at 0.5 leans over it.
  const std::pair<const char*, double> items[] = {{"l_binokl", 0.03}, {"l_molot", 0.03}, {"flower", 0.15}};
  for (const auto& [name, scale] : items) {
    SCOPED_TRACE(name);
    double reach = 0;
    for (const TestVec3& p : PlacedPositions(Model(name))) reach = std::max(reach, std::hypot(p.x, p.z) * scale);
    EXPECT_GT(reach, 0.4);
    EXPECT_LT(reach, 1.0);
  }
  // The flower's texture coordinates stay in the opaque middle of its image.
  for (const TestNode& node : Model("flower").nodes)
    for (const TestVec3& uv : node.uvs) EXPECT_LT(std::hypot(uv.x - 0.5, uv.y - 0.5), 0.33);
}

TEST(ModelContent, GeneratorWritesTheSameBytesEveryTime) {
  std::string generator = GeneratorPath("meshgen", "kestrin_meshgen");
  std::string first = FreshFolder("models_a"), second = FreshFolder("models_b");
  ASSERT_TRUE(RunInto(generator, first));
  ASSERT_TRUE(RunInto(generator, second));
  std::vector<std::string> files = {"bin/error.msh"};
  for (const std::string& name : kModelNames) files.push_back("models/" + name + ".msh");
  for (const std::string& file : files) {
    std::string a = FileBytes(first + "/" + file);
    ASSERT_FALSE(a.empty()) << file;
    EXPECT_TRUE(a == FileBytes(second + "/" + file)) << file;
    EXPECT_TRUE(a == FileBytes(GameFile(file))) << file;
  }
}
