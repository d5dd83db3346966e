// What a frame of the round draws, on the recording device: which mesh with
// which texture, and the round's display.
#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/camera.h"
#include "core/frustum.h"
#include "core/shader_registers.h"
#include "game/draw_game.h"
#include "game/hidden_scenery.h"
#include "support/png.h"
#include "support/recording.h"
#include "support/round.h"
#include "render/interface_quads.h"
#include "render/material.h"
#include "render/mesh_registry.h"
#include "render/particles.h"
#include "render/quad_buffers.h"
#include "render/texture_cache.h"

using namespace boardtest;
using namespace playtest;

namespace {
const char* const ModelNames[] = {"hexagon", "skybox", "flower", "flag", "l_binokl", "l_molot", "head",
                                  "body",    "wing1",  "wing2",  "l_island"};
const char* const TextureNames[] = {
    "newsky",     "ostrov1",    "f_1",         "binokol",      "molot",  "bee",   "body",  "wing",
    "hex_close6", "hex_open_void", "hex_open_1", "hex_open_2", "hex_number_1", "hex_number_2", "hex_bomb", "hex_30", "hex_40", "flag",
    "empty",      "life",       "life2",       "i_flower_en",  "i_flower_dis", "arrow", "m_empty_up", "b_grey2"};

}  // namespace

class DrawRound : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    device = support::NewRecordingDevice();
    Device = device;
    Device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    Graphics.ShaderPath = 1;
    CreateUnitQuadBuffer();
    for (const char* name : ModelNames) writeFile(std::string("models/") + name + ".msh", groundModel(name, {{0, 0}}));
    writeFile("bin/error.msh", groundModel("error", {{0, 0}}));
    Meshes.loadErrorMesh();
    std::string list;
    for (const char* name : ModelNames) list += std::string(name) + ",";
    Meshes.addMeshes(list.c_str());
    for (const char* name : ModelNames) meshOf[Meshes.find(name).root->vertexBuffer] = name;
    for (const char* name : TextureNames) {
      Textures.names.addNames(name);
      IDirect3DTexture9* texture = nullptr;
      Device->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture);
      Textures.textures.push_back(texture);
      textureOf[texture] = name;
    }
    std::memset(Graphics.ViewFrustum, 0, sizeof Graphics.ViewFrustum);
    Play.flowerTexture = "f_1";
  }

  void TearDown() override {
    rendertest::ResetRegistries();
    ReleaseUnitQuadBuffer();
    Device = nullptr;
    device->Release();
    PlayTest::TearDown();
  }

  // Each draw of the frame as "mesh texture", or "quad texture" for an
  // interface rectangle.
  std::vector<std::string> drawn() const {
    std::vector<std::string> names;
    for (const auto& draw : device->Draws()) {
      auto mesh = meshOf.find(draw.state.stream);
      auto texture = textureOf.find(draw.state.textures[0]);
      names.push_back((mesh != meshOf.end() ? mesh->second : std::string("quad")) + " " +
                      (texture != textureOf.end() ? texture->second : std::string("?")));
    }
    return names;
  }

  // Each draw of the model's buffer in the next frame: first vertex, triangles.
  std::vector<std::pair<UINT, UINT>> drawsOf(const char* model) {
    device->ClearLog();
    drawGame();
    std::vector<std::pair<UINT, UINT>> draws;
    for (const auto& draw : device->Draws())
      if (draw.state.stream == Meshes.find(model).root->vertexBuffer)
        draws.push_back({draw.startVertex, draw.primitiveCount});
    return draws;
  }

  // The model's file written anew and read again.
  void replaceModel(const char* name, const std::string& text) {
    writeFile(std::string("models/") + name + ".msh", text);
    Mesh& mesh = Meshes.meshes[Meshes.names.indexOf(name)];
    releaseMesh(mesh);
    mesh = loadMesh((std::string("models\\") + name + ".msh").c_str());
  }

  d3d9::RecordingDevice* device = nullptr;
  std::map<const void*, std::string> meshOf, textureOf;
};

TEST_F(DrawRound, AKnownBoardDrawsEachOfItsLayers) {
  // Only a few cells exist, in index order: closed, the bee's empty cell,
  // a 2, an exploded bomb, a flag, a flower, binoculars and a hammer.
  for (int i = 0; i < Level.cellCount; ++i) cell(i).content = CellHole;
  const int closed = 40, empty = 41, two = 42, bomb = 43, flagged = 44, flower = 45, glasses = 46, hammer = 47;
  for (int i = closed; i <= hammer; ++i) cell(i).content = 0;
  cell(two).content = 2;
  cell(bomb).content = CellBomb;
  for (int i : {empty, two, bomb}) cell(i).open = 1;
  cell(flagged).flagged = 1;
  cell(flower).flower = 1;
  Level.cellItems[glasses] = ItemBinoculars;
  Level.cellItems[hammer] = ItemHammer;
  Level.currentCell = empty;
  Level.flowerCount = 2;
  Level.flowersTaken = 1;
  Level.lives = 3;
  Levels.SceneObjectList = {sceneObject("l_island", "ostrov1"), sceneObject("not_a_model", "ostrov1")};
  Play.boardPointX = cell(two).x;
  Play.boardPointY = cell(two).y;
  ImageWidget& number = CreateImage("num", 0, 0, 0.1f, 0.1f);
  ButtonWidget& eye = CreateButton("useEye", 0, 0, 0.1f, 0.1f);
  LabelWidget& score = CreateLabel("lbckore", 0, 0, 1, 0.1f);
  LabelWidget& hammers = CreateLabel("molot_count", 0, 0, 1, 0.1f);
  Level.hammers = 2;
  Play.levelScore = 1000;
  Play.inputBlocked = 1;  // the board point stays where it is put

  // Materials told apart by their shading factor.
  Materials.materials = {{"empty", nullptr, nullptr, 0, 0.25f}, {"diffuse", nullptr, nullptr, 0, 0.5f},
                         {"specular", nullptr, nullptr, 0, 0.75f}};
  const std::map<std::string, float> materialOf = {{"skybox", 0.25f},  {"hexagon", 0.25f},  {"flag", 0.25f},
                                                   {"l_island", 0.5f}, {"l_binokl", 0.5f}, {"l_molot", 0.5f},
                                                   {"flower", 0.75f}};

  device->BeginScene();
  updateGame();
  drawGame();
  const std::multiset<std::string> expected = {
      "l_island ostrov1", "skybox newsky",         "flower f_1",           "l_binokl binokol",
      "l_molot molot",    "head bee",              "body body",
      "hexagon hex_close6",    "hexagon hex_open_void", "hexagon hex_open_2",
      "hexagon hex_number_2", "hexagon hex_bomb",  "hexagon hex_close6",   "hexagon hex_close6",
      "hexagon hex_close6", "hexagon hex_close6",  "hexagon hex_30",       "hexagon hex_40",
      "flag flag",        "wing1 wing",            "wing2 wing",
      "quad empty",       "quad life",             "quad life",
      "quad life2",       "quad i_flower_en",      "quad i_flower_dis",
  };
  const std::vector<std::string> names = drawn();
  EXPECT_EQ(std::multiset<std::string>(names.begin(), names.end()), expected);
  // The see-through wings hide nothing drawn later: only they leave the
  // depth buffer alone. Only the closed islands lose their back faces. The
  // opaque scenery, sky and cell faces are not blended; all else is.
  const std::set<std::string> opaque = {"l_island ostrov1",    "skybox newsky",      "hexagon hex_close6",
                                        "hexagon hex_open_void", "hexagon hex_open_2", "hexagon hex_bomb"};
  for (size_t i = 0; i < names.size(); ++i) {
    const auto& states = device->Draws()[i].state.renderStates;
    EXPECT_EQ(states[D3DRS_ZWRITEENABLE], names[i].rfind("wing", 0) == 0 ? 0u : 1u) << names[i];
    EXPECT_EQ(states[D3DRS_CULLMODE], names[i].rfind("l_island", 0) == 0 ? D3DCULL_CCW : D3DCULL_NONE) << names[i];
    EXPECT_EQ(states[D3DRS_ALPHABLENDENABLE], opaque.count(names[i]) ? 0u : 1u) << names[i];
    // The sky is unlit like the board; the scenery and the tools are lit.
    const auto material = materialOf.find(names[i].substr(0, names[i].find(' ')));
    if (material != materialOf.end()) {
      EXPECT_EQ(device->Draws()[i].state.pixelConstants[PsMaterialFactor][0], material->second) << names[i];
    }
  }
  // The board goes to the driver in a scene of its own, before the scenery.
  using d3d9::CallKind;
  const auto& calls = device->Calls();
  const auto boardEnd = std::find_if(calls.begin(), calls.end(), [](auto& c) { return c.kind == CallKind::EndScene; });
  EXPECT_EQ(names.at(std::count_if(calls.begin(), boardEnd, [](auto& c) { return c.draw >= 0; })), "l_island ostrov1");
  EXPECT_EQ(number.texture, "hex_number_2");
  EXPECT_EQ(Play.lastHoveredCell, two);
  EXPECT_EQ(eye.visible, 0);
  EXPECT_EQ(hammers.text, "2");
  EXPECT_EQ(score.text, "00000000");
  EXPECT_EQ(Play.displayedScore, 10);
  EXPECT_FLOAT_EQ(Play.skyAngle, 0.01f);

  // The results screen hides the bar, the lives and the flowers.
  Play.resultsShown = 1;
  Level.binoculars = 1;
  Play.boardPointX = cell(closed).x;
  Play.boardPointY = cell(closed).y;
  device->ClearLog();
  updateGame();
  drawGame();
  EXPECT_EQ(drawn().back(), "wing2 wing");
  EXPECT_EQ(number.texture, "m_empty_up");
  EXPECT_EQ(eye.visible, 1);
  EXPECT_EQ(Play.displayedScore, 28) << "a results screen steps the score twice a frame";
}

TEST_F(DrawRound, ABurstShowsOverTheStatusBar) {
  writeFile("textures/empty.png", "");
  support::WriteSolidPng(folder.File("textures/empty.png"), 64, 64, 0xFFFFFFFF);
  createParticleEmitters();
  CreateBillboardQuadBuffer();
  ParticleEmitter& burst = *findEmitter(LastLifeEmitter);
  burst.position = D3DXVECTOR3(cell(0).x, 19.0f, cell(0).y);
  burst.start();
  for (int i = 0; i < 5; ++i, AdvanceTestClock(16)) burst.update();
  device->BeginScene();
  drawGame();
  const std::vector<std::string> names = drawn();
  const auto& calls = device->Calls();
  const auto callOf = [&](const std::string& name) {
    return std::find_if(calls.begin(), calls.end(), [&](auto& c) { return c.draw >= 0 && names[c.draw] == name; });
  };
  const auto bar = callOf("quad empty"), firstBurst = callOf("quad b_grey2");
  ASSERT_NE(firstBurst, calls.end());
  ASSERT_LT(bar, firstBurst);
  // The depth under the bar, made nearest so that the scene is not shaded
  // there, is far again before the burst is drawn.
  const float far = 1.0f;
  DWORD farBits;
  std::memcpy(&farBits, &far, sizeof farBits);
  EXPECT_TRUE(std::any_of(bar, firstBurst, [&](auto& c) {
    return c.kind == d3d9::CallKind::Clear && (c.a & D3DCLEAR_ZBUFFER) && c.c == farBits;
  }));
  releaseParticleEmitters();
  ReleaseBillboardQuadBuffer();
}

TEST_F(DrawRound, GroundUnderTheCellsAndSkyBehindThemAreLeftOut) {
  const int middle = cellIndex(10, 10), hole = cellIndex(10, 5), corner = cellIndex(0, 0);
  makeHoles({hole});
  const auto at = [](int index, float dx) { return std::pair<float, float>(cell(index).x + dx, cell(index).y); };
  // Under the board; under the hole; beside it, seen at a slant through it,
  // and further off; off the board; near its edge; under it again.
  replaceModel("l_island", groundModel("l_island", {at(middle, 0), at(hole, 0), at(hole, 1.3f), at(hole, 1.6f),
                                                    {-5, -5}, at(corner, -0.7f), at(middle, 2)}));
  // The same ground deeper down, seen through the hole from further off, and
  // so close under the cells that the depth buffer could tie them.
  Levels.SceneObjectList = {sceneObject("l_island", ""), sceneObject("l_island", ""), sceneObject("l_island", "")};
  Levels.SceneObjectList[1].position[1] = 16.0f;
  Levels.SceneObjectList[2].position[1] = 16.97f;
  using Runs = std::vector<std::pair<UINT, UINT>>;
  findHiddenGround();
  EXPECT_EQ(drawsOf("l_island"), (Runs{{3, 2}, {12, 2}, {3, 5}, {0, 7}}));
  // Moved, it is drawn whole: what the board hid may now show.
  Levels.SceneObjectList[1].position[0] += 30;
  EXPECT_EQ(drawsOf("l_island"), (Runs{{3, 2}, {12, 2}, {0, 7}, {0, 7}}));

  // The sky far below, where the sight lines from straight above the middle
  // cell through it, the hole and a point off the board end (in the sky's
  // own units: it is 300 across, its middle at (20, -100, 20)).
  const float x = cell(middle).x, z = cell(middle).y;
  const D3DXVECTOR3 eye(x, 28, z), down(x, 17, z), north(0, 0, 1);
  D3DXMatrixLookAtLH(&Graphics.ViewMatrix, &eye, &down, &north);
  const float stretch = (28.0f + 100) / (28 - BoardPlaneHeight);  // the sky's middle is 100 down
  const auto behind = [&](std::pair<float, float> b) {
    return std::pair<float, float>((x + (b.first - x) * stretch - 20) / 300, (z + (b.second - z) * stretch - 20) / 300);
  };
  replaceModel("skybox", groundModel("skybox", {behind(at(middle, 0)), behind(at(hole, 0)), behind({-10, -10})}));
  EXPECT_EQ(drawsOf("skybox"), (Runs{{3, 2}}));

  // A cell off its place leaves a gap there.
  cell(middle).x += 0.5f;
  findHiddenGround();
  EXPECT_EQ(drawsOf("l_island"), (Runs{{0, 3}, {12, 2}, {0, 7}, {0, 7}}));
}

TEST_F(DrawRound, CellsAndSceneryWhollyUnderTheOpaqueInterfaceAreLeftOut) {
  writeFile("textures/empty.png", "");
  support::WriteSolidPng(folder.File("textures/empty.png"), 64, 64, 0xFFFFFFFF);
  forgetHiddenSceneRects();
  hideSceneUnderQuad("empty", 0, 0, 2, 0.75f);  // the top half of the screen, less a margin
  // Seen flat from above, x across the screen and z up it: a cell and an
  // island high up, and the same just across the lower edge of the margin.
  D3DXMatrixIdentity(&Graphics.ViewMatrix);
  Graphics.ProjectionMatrix = D3DXMATRIX(0.05f, 0, 0, 0, 0, 0, 0, 0, 0, 0.05f, 0, 0, -0.9f, -0.75f, 0.5f, 1);
  const int top = cellIndex(18, 10), edge = cellIndex(10, 10);
  for (int i = 0; i < Level.cellCount; ++i) cell(i).content = i == top || i == edge ? 0 : CellHole;
  Levels.SceneObjectList = {sceneObject("l_island", "ostrov1", cell(top).x),
                            sceneObject("l_island", "ostrov1", cell(edge).x)};
  Levels.SceneObjectList[0].position[2] = cell(top).y;
  Levels.SceneObjectList[1].position[2] = cell(edge).y;
  EXPECT_EQ(drawsOf("hexagon").size(), 1u);
  EXPECT_EQ(drawsOf("l_island").size(), 1u);
}

// While the camera stands still the scenery is drawn once into the cleared
// frame and kept; later frames start from the kept copy, and the sky is
// drawn only where the kept frame left the clear's depth. Anything the
// scenery's pixels follow from draws it again: the camera, an object, the
// ground left out, or a frame drawn on before the round.
TEST_F(DrawRound, AStillCameraKeepsTheSceneryAndLaterFramesStartFromIt) {
  const HexCell& middle = cell(cellIndex(10, 10));
  replaceModel("l_island", groundModel("l_island", {{middle.x, middle.y}, {-5, -5}}));
  meshOf[Meshes.find("l_island").root->vertexBuffer] = "l_island";
  Levels.SceneObjectList = {sceneObject("l_island", "ostrov1")};
  using d3d9::CallKind;
  struct Frame {
    std::vector<std::string> names;
    size_t kept;
    std::string sky;  // the sky's scissor rectangles
  };
  const auto frame = [&](bool cleared = true) {
    device->ClearLog();
    if (cleared) device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    drawGame();
    const std::vector<std::string> names = drawn();
    std::string sky;
    for (size_t i = 0; i < names.size(); ++i) {
      const d3d9::DeviceState& state = device->Draws()[i].state;
      const RECT& r = state.scissorRect;
      const bool scissored = state.renderStates[D3DRS_SCISSORTESTENABLE] != 0;
      if (names[i] == "skybox newsky")
        sky += scissored ? testing::PrintToString(std::vector<int>{r.left, r.top, r.right, r.bottom}) : "whole";
      else if (scissored)
        sky += names[i] + " scissored too";
    }
    return Frame{names, device->CallsOf(CallKind::KeepFrame).size(), sky};
  };
  const auto islandFirst = [](const Frame& f) { return !f.names.empty() && f.names[0] == "l_island ostrov1"; };
  const auto islands = [](const Frame& f) { return std::count(f.names.begin(), f.names.end(), "l_island ostrov1"); };

  Play.cameraStill = false;
  Frame moving = frame();
  EXPECT_EQ(islands(moving), 1);
  EXPECT_FALSE(islandFirst(moving)) << "the cells go first while the camera moves";
  EXPECT_EQ(moving.kept, 0u);
  EXPECT_EQ(moving.sky, "whole");
  EXPECT_EQ(islands(frame()), 1) << "nothing kept to start from";

  Play.cameraStill = true;
  // Six bands; the three narrow ones at the bottom join, and the sky is
  // drawn in four parts.
  d3d9::OpenRects open;
  for (const RECT& band : {RECT{0, 0, 100, 10}, RECT{0, 10, 90, 20}, RECT{0, 20, 80, 30}, RECT{0, 30, 10, 40},
                           RECT{0, 40, 10, 50}, RECT{0, 50, 10, 60}})
    open.rects[open.count++] = band;
  d3d9::TheRecordingConfig.keptFrameOpen = open;
  Frame first = frame();
  EXPECT_TRUE(islandFirst(first));
  EXPECT_EQ(first.kept, 1u);
  // The open part is found once the cells, drawn in every frame, are drawn too.
  size_t lastCell = 0, noted = 0;
  for (size_t i = 0; i < device->Calls().size(); ++i) {
    const d3d9::RecordedCall& call = device->Calls()[i];
    if (call.kind == CallKind::NoteKeptFrameOpenRects) noted = i;
    if (call.draw >= 0 && first.names[size_t(call.draw)].rfind("hexagon", 0) == 0) lastCell = i;
  }
  EXPECT_GT(noted, lastCell) << lastCell;
  Frame later = frame();
  EXPECT_EQ(islands(later), 0);
  EXPECT_EQ(later.kept, 0u);
  EXPECT_EQ(later.names.size(), first.names.size() + 2) << "one island fewer, three more parts of the sky";
  EXPECT_EQ(first.sky, "whole");
  EXPECT_EQ(later.sky, "{ 0, 0, 100, 10 }{ 0, 10, 90, 20 }{ 0, 20, 80, 30 }{ 0, 30, 10, 60 }") << "the sky turns";

  EXPECT_EQ(islands(frame(false)), 1) << "drawn on before the round";
  Graphics.ViewMatrix._41 += 1;
  EXPECT_EQ(islands(frame()), 1);
  EXPECT_EQ(islands(frame()), 0);
  Levels.SceneObjectList[0].position[0] += 1;
  EXPECT_EQ(islands(frame()), 1);
  EXPECT_EQ(islands(frame()), 0);
  findHiddenGround();
  d3d9::TheRecordingConfig.keptFrameOpen = d3d9::OpenRects{};
  EXPECT_EQ(islands(frame()), 1);
  EXPECT_EQ(frame().sky, "") << "the kept scenery covers the whole screen";
  d3d9::TheRecordingConfig.keptFrameOpen.reset();

  // The round's update tells a still camera from one that moved.
  updateGame();
  updateGame();
  EXPECT_TRUE(Play.cameraStill);
  Level.beeX += 0.5f;  // the camera follows the bee
  updateGame();
  EXPECT_FALSE(Play.cameraStill);
}
