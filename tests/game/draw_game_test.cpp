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
#include "core/options.h"
#include "game/draw_game.h"
#include "game/hidden_scenery.h"
#include "support/png.h"
#include "support/recording.h"
#include "support/round.h"
#include "render/interface_quads.h"
#include "render/material.h"
#include "render/mesh_registry.h"
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
    "empty",      "life",       "life2",       "i_flower_en",  "i_flower_dis", "arrow", "m_empty_up"};

std::string triangleModel(const char* name) {
  return std::string(name) +
         "\n1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\n3\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n0 0 1\n0 0 1\n1\n0 1 2\n"
         "t.png\n3\n0 0 0\n1 0 0\n0 1 0\n0 1 2\n0\n";
}

SceneObject sceneObject(const char* mesh, const char* texture) {
  SceneObject object{};
  std::strncpy(object.meshName, mesh, 31);
  std::strncpy(object.textureName, texture, 31);
  object.scale = 1;
  object.position[1] = 16;
  return object;
}
}  // namespace

class DrawRound : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    device = support::NewRecordingDevice();
    Device = device;
    Device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    ShaderPath = 1;
    CreateUnitQuadBuffer();
    for (const char* name : ModelNames) writeFile(std::string("models/") + name + ".msh", triangleModel(name));
    writeFile("bin/error.msh", triangleModel("error"));
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
    std::memset(ViewFrustum, 0, sizeof ViewFrustum);
    Play.flowerTexture = "f_1";
  }

  void TearDown() override {
    Textures.release();
    Textures.releaseNames();
    Meshes.release();
    Meshes.releaseNames();
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
  SceneObjectList = {sceneObject("l_island", "ostrov1"), sceneObject("not_a_model", "ostrov1")};
  Play.boardPointX = cell(two).x;
  Play.boardPointY = cell(two).y;
  ImageWidget& number = CreateImage("num", 0, 0, 0.1f, 0.1f);
  ButtonWidget& eye = CreateButton("useEye", 0, 0, 0.1f, 0.1f);
  LabelWidget& score = CreateLabel("lbckore", 0, 0, 1, 0.1f);
  LabelWidget& hammers = CreateLabel("molot_count", 0, 0, 1, 0.1f);
  Level.hammers = 2;
  Play.levelScore = 1000;

  device->BeginScene();
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
  drawGame();
  EXPECT_EQ(drawn().back(), "wing2 wing");
  EXPECT_EQ(number.texture, "m_empty_up");
  EXPECT_EQ(eye.visible, 1);
  EXPECT_EQ(Play.displayedScore, 19);
}

TEST_F(DrawRound, GroundUnderTheBoardIsLeftOut) {
  const int middle = cellIndex(10, 10), hole = cellIndex(10, 5);
  makeHoles({hole});
  const float x = cell(middle).x, z = cell(middle).y;
  // In the model's order: under the board, under the hole, off the board,
  // under the board twice more, off the board again.
  const std::vector<std::pair<float, float>> spots = {{x, z},     {cell(hole).x, cell(hole).y}, {-5, -5},
                                                      {x + 2, z}, {x, z + 2},                   {60, 60}};
  writeFile("models/l_ground.msh", groundModel("l_ground", spots));
  Meshes.addMeshes("l_ground");
  const void* ground = Meshes.find("l_ground").root->vertexBuffer;
  SceneObject object = sceneObject("l_ground", "ostrov1");
  object.position[1] = 16.9f;
  SceneObjectList = {object};
  findHiddenGround();
  const auto groundDraws = [&] {
    device->ClearLog();
    drawGame();
    std::vector<std::pair<UINT, UINT>> draws;
    for (const auto& draw : device->Draws())
      if (draw.state.stream == ground) draws.push_back({draw.startVertex, draw.primitiveCount});
    return draws;
  };
  EXPECT_EQ(groundDraws(), (std::vector<std::pair<UINT, UINT>>{{3, 2}, {15, 1}}));
  // Moved, it is drawn whole: what the board hid where it stood may show
  // where it stands now.
  SceneObjectList[0].position[0] += 30;
  EXPECT_EQ(groundDraws(), (std::vector<std::pair<UINT, UINT>>{{0, 6}}));
}

TEST_F(DrawRound, SkyBehindTheCellsIsLeftOut) {
  const int middle = cellIndex(10, 10), hole = cellIndex(10, 5);
  makeHoles({hole});
  beeOn(middle);
  const Camera& camera = *CurrentCamera;
  const D3DXVECTOR3 eye = camera.position, target = eye + camera.direction, sky(20, -100, 20);
  D3DXMatrixLookAtLH(&ViewMatrix, &eye, &target, &camera.up);
  // Where on the unturned sky, in its own units, the sight line through a
  // point of the board's plane ends.
  const auto behind = [&](const HexCell& c) {
    const float stretch = (eye.y - sky.y) / (eye.y - BoardPlaneHeight);
    return std::pair<float, float>((eye.x + (c.x - eye.x) * stretch - sky.x) / 300,
                                   (eye.z + (c.y - eye.z) * stretch - sky.z) / 300);
  };
  HexCell offBoard{};
  offBoard.x = offBoard.y = -10;
  writeFile("models/skybox.msh", groundModel("skybox", {behind(cell(middle)), behind(cell(hole)), behind(offBoard)}));
  Mesh& skybox = Meshes.meshes[Meshes.names.indexOf("skybox")];
  releaseMesh(skybox);
  skybox = loadMesh("models\\skybox.msh");
  device->ClearLog();
  drawGame();
  std::vector<std::pair<UINT, UINT>> skyDraws;
  for (const auto& draw : device->Draws())
    if (draw.state.stream == skybox.root->vertexBuffer) skyDraws.push_back({draw.startVertex, draw.primitiveCount});
  EXPECT_EQ(skyDraws, (std::vector<std::pair<UINT, UINT>>{{3, 2}}));
}

TEST_F(DrawRound, WhatFallsWhollyUnderTheOpaqueInterfaceIsHidden) {
  writeFile("textures/empty.png", "");
  support::WriteSolidPng(folder.File("textures/empty.png"), 64, 64, 0xFFFFFFFF);
  res_width = 800;
  res_height = 600;
  forgetHiddenSceneRects();
  hideSceneUnderQuad("empty", 0, 0, 2, 0.75f);  // the top half, less a margin
  D3DXMATRIX asIs;
  D3DXMatrixIdentity(&asIs);  // corners given in the screen's -1..1
  const auto triangle = [&](float x, float y, float size) {
    const D3DXVECTOR3 corners[3] = {{x - size, y, 0.5f}, {x + size, y, 0.5f}, {x, y + size, 0.5f}};
    return hiddenUnderInterface(corners, asIs);
  };
  EXPECT_TRUE(triangle(0, 0.5f, 0.2f));
  EXPECT_FALSE(triangle(0, -0.5f, 0.2f));
  EXPECT_FALSE(triangle(0, 0.5f, 0.6f));  // reaches out of the rectangle
  EXPECT_FALSE(triangle(0.95f, 0.5f, 0.01f));  // in the margin left for the panel's edge
  forgetHiddenSceneRects();
  EXPECT_FALSE(triangle(0, 0.5f, 0.2f));
}

TEST_F(DrawRound, CellsAndSceneryWhollyUnderTheOpaqueInterfaceAreNotDrawn) {
  // Seen flat from above: the board's x across the screen, its z up it.
  D3DXMatrixIdentity(&ViewMatrix);
  ProjectionMatrix = D3DXMATRIX(0.05f, 0, 0, 0, 0, 0, 0, 0, 0, 0.05f, 0, 0, -0.9f, -0.75f, 0.5f, 1);
  writeFile("textures/empty.png", "");
  support::WriteSolidPng(folder.File("textures/empty.png"), 64, 64, 0xFFFFFFFF);
  res_width = 800;
  res_height = 600;
  forgetHiddenSceneRects();
  hideSceneUnderQuad("empty", 0, 0, 2, 0.75f);  // the top half of the screen
  const int top = cellIndex(18, 10), bottom = cellIndex(2, 10);
  for (int i = 0; i < Level.cellCount; ++i) cell(i).content = i == top || i == bottom ? 0 : CellHole;
  SceneObjectList = {sceneObject("l_island", "ostrov1"), sceneObject("l_island", "ostrov1")};
  for (int i : {0, 1}) {
    SceneObjectList[i].position[0] = cell(i == 0 ? top : bottom).x;
    SceneObjectList[i].position[2] = cell(i == 0 ? top : bottom).y;
  }
  drawGame();
  const std::vector<std::string> names = drawn();
  EXPECT_EQ(std::count(names.begin(), names.end(), "hexagon hex_close6"), 1);
  EXPECT_EQ(std::count(names.begin(), names.end(), "l_island ostrov1"), 1);
  forgetHiddenSceneRects();
  device->ClearLog();
  drawGame();
  const std::vector<std::string> all = drawn();
  EXPECT_EQ(std::count(all.begin(), all.end(), "hexagon hex_close6"), 2);
  EXPECT_EQ(std::count(all.begin(), all.end(), "l_island ostrov1"), 2);
}
