#pragma once
// Byte images of the level files' records. The files are little-endian with
// no padding; the structs below match them exactly on the platforms we build
// for, which the asserts check.
#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "level files are read as raw little-endian records");

// The first 168 bytes of a map file, and the first part of the in-memory level.
struct HexBoard {
  float originX;
  float originY;
  float width;
  float height;
  float cellRadius;
  float beeX;
  float beeY;
  float beeVelX;
  float beeVelY;
  float beeHeading;
  float reserved40;
  int32_t cellCount;
  int32_t rowLenEven;
  int32_t rowLenOdd;
  int32_t rowCount;
  int32_t currentCell;
  uint32_t roadHandle;
  int32_t lives;
  int32_t markedBombs;
  int32_t flowersTaken;
  int32_t reserved80;
  int32_t bombCount;
  int32_t flowerCount;
  int32_t roadLeft;
  uint8_t won;
  uint8_t dead;
  uint8_t bombEvent;
  uint8_t flowerEvent;
  uint32_t colourTable[16];
  uint32_t cellsHandle;
};

struct HexCell {
  float x;
  float y;
  int32_t distance;
  int32_t index;
  int32_t row;
  int32_t column;
  int32_t content;
  uint8_t open;
  uint8_t flagged;
  uint8_t flower;
  uint8_t reserved31;
};

struct TriggerRecord {
  uint8_t active;
  uint8_t arrow;
  uint8_t briefing;
  uint8_t reserved3;
  int32_t link;
  int32_t value;
};

struct SceneObject {
  char meshName[32];
  char textureName[32];
  float yaw;
  float scale;
  float position[3];
};

constexpr int32_t CellHole = -1;
constexpr int32_t CellBomb = 7;

constexpr int32_t ItemNone = 0;
constexpr int32_t ItemBinoculars = 1;
constexpr int32_t ItemHammer = 2;

constexpr int32_t NoMark = -1;

static_assert(sizeof(HexBoard) == 168);
static_assert(offsetof(HexBoard, reserved40) == 40);
static_assert(offsetof(HexBoard, cellCount) == 44);
static_assert(offsetof(HexBoard, currentCell) == 60);
static_assert(offsetof(HexBoard, roadHandle) == 64);
static_assert(offsetof(HexBoard, lives) == 68);
static_assert(offsetof(HexBoard, reserved80) == 80);
static_assert(offsetof(HexBoard, roadLeft) == 92);
static_assert(offsetof(HexBoard, won) == 96);
static_assert(offsetof(HexBoard, flowerEvent) == 99);
static_assert(offsetof(HexBoard, colourTable) == 100);
static_assert(offsetof(HexBoard, cellsHandle) == 164);

static_assert(sizeof(HexCell) == 32);
static_assert(offsetof(HexCell, distance) == 8);
static_assert(offsetof(HexCell, content) == 24);
static_assert(offsetof(HexCell, open) == 28);
static_assert(offsetof(HexCell, flower) == 30);
static_assert(offsetof(HexCell, reserved31) == 31);

static_assert(sizeof(TriggerRecord) == 12);
static_assert(offsetof(TriggerRecord, link) == 4);
static_assert(offsetof(TriggerRecord, value) == 8);

static_assert(sizeof(SceneObject) == 84);
static_assert(offsetof(SceneObject, textureName) == 32);
static_assert(offsetof(SceneObject, yaw) == 64);
static_assert(offsetof(SceneObject, position) == 72);

constexpr size_t MapHeaderSize = sizeof(HexBoard);
// Cell record plus its mark and its item.
constexpr size_t MapBytesPerCell = sizeof(HexCell) + 2 * sizeof(int32_t);
