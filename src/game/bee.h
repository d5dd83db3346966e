#pragma once
// The player's avatar as it is drawn: the board holds the bee's flight
// (Level.beeX, beeY, ...; see moveBee), this object turns it into a hovering,
// flapping model and tumbles it away when a bomb goes off under it.
#include <cstdint>

#include "d3dutil/math.h"

enum BeeState : int32_t { BeeFlying = 0, BeeHit = 2 };

// Height of the board's plane and of the bee's hover above it.
constexpr float BoardPlaneHeight = 17.0f;
constexpr float BeeHoverHeight = 18.0f;

class Bee {
 public:
  D3DXVECTOR3 position{0, BeeHoverHeight, 0};
  // Degrees: the whole model about x, the vertical axis and z.
  float pitch = 0, heading = 180, roll = 0;
  float spinSpeed = 0;
  float bodyPitch = 0;
  float headPitch = 0, headYaw = 0;
  float wingAngle = 0;
  D3DXVECTOR3 hitVelocity{0, 0, 0};
  D3DXVECTOR3 hitAccel{0, 0, 0};
  int32_t state = BeeFlying;
  float scale = 0.8f;
  float animTime = 0;
  float hitTimer = 0;

  virtual ~Bee() = default;
  // Level start: tipped by 90 degrees over the middle of the board; it levels
  // out while flying.
  virtual void reset();
  virtual void update();
  // Head and body; the wings come later.
  virtual void draw() const;
  // The see-through wings, once everything under them is drawn: they write no
  // depth, so that nothing behind them is hidden.
  void drawWings() const;

  // A bomb went off under the bee.
  void hit();
  // Back to normal flight once the tumble is over and lives remain.
  void recover();
};

extern Bee TheBee;
