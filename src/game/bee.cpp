#include "game/bee.h"

#include <cmath>

#include "core/engine_state.h"
#include "core/graphics_device.h"
#include "game/board.h"
#include "platform/random.h"
#include "render/material.h"
#include "render/mesh_registry.h"
#include "render/texture_cache.h"

Bee TheBee;

namespace {
constexpr float AnimTimeWrap = 8000.0f;
// The tumble in steps of a fiftieth of a second: the blast's push fades by
// this much each step, gravity takes this much speed.
constexpr float HitPushFade = 0.9f;
constexpr float HitGravity = 0.016f;

void drawPart(const char* mesh, const D3DXVECTOR3& at, float angleX, float angleY, float angleZ, float scale) {
  Meshes.find(mesh).drawTransformed(at, angleX, angleY, angleZ, scale);
}
}  // namespace

void Bee::reset() {
  state = BeeFlying;
  pitch = 90;
  heading = 0;
  roll = 0;
  position = D3DXVECTOR3(20, BeeHoverHeight, 20);
  animTime = 0;
  // A round lost in mid-tumble must not hand its spin to the next one.
  spinSpeed = 0;
  hitVelocity = hitAccel = D3DXVECTOR3(0, 0, 0);
  hitTimer = 0;
}

void Bee::update() {
  const float f = PerFrame(50.0f);
  if (state == BeeHit) {
    // Over f steps the push adds what f separate steps would and gravity
    // acts evenly through the frame, so the bee falls alike at any frame rate.
    const float fade = std::pow(HitPushFade, f);
    hitVelocity += hitAccel * ((1 - fade) / (1 - HitPushFade));
    hitAccel *= fade;
    hitVelocity.y -= HitGravity * f;
    position += hitVelocity * f;
    position.y += 0.5f * HitGravity * f * f;
    spinSpeed += 0.09f * f;
    heading += spinSpeed * f;
    roll = 30 * f;
    if (crtRand() % 3 == 0) wingAngle = 30 * std::sin(animTime * 4);
    hitTimer += 0.1f * f;
  } else {
    roll = 0;
    pitch *= 0.9f;
    const float s = std::sin(animTime * 0.5f) + 1;
    position = D3DXVECTOR3(Level.beeX, BeeHoverHeight - 0.1f * s, Level.beeY);
    bodyPitch = 5 * s;
    headPitch = -2 * s;
    headYaw = 20 * std::sin(animTime * 0.125f);
    wingAngle = 30 * std::sin(animTime * 8);
  }
  if (FrameRate.FramesPerSecond != 0) {
    animTime += 0.1f * f;
    if (animTime >= AnimTimeWrap) animTime = 0;
  }
}

void Bee::draw() const {
  Materials.bindMaterial("diffuse");
  Textures.bindTexture(0, "bee");
  drawPart("head", position, pitch + headPitch, heading + headYaw + 180, roll, scale);
  Textures.bindTexture(0, "body");
  drawPart("body", position, pitch + bodyPitch, heading + 180, roll, scale);
}

void Bee::drawWings() const {
  Materials.bindMaterial("diffuse");
  Textures.bindTexture(0, "wing");
  const D3DXVECTOR3 wings(position.x, position.y + 0.25f * scale, position.z);
  if (Device) Device->SetRenderState(D3DRS_ZWRITEENABLE, 0);
  drawPart("wing1", wings, pitch, heading + 180, roll + wingAngle, scale);
  drawPart("wing2", wings, pitch, heading + 180, roll - wingAngle, scale);
  if (Device) Device->SetRenderState(D3DRS_ZWRITEENABLE, 1);
}

void Bee::hit() {
  state = BeeHit;
  hitVelocity = D3DXVECTOR3(0, 0, 0);
  spinSpeed = 0;
  const int a = crtRand();
  const int b = crtRand();
  hitAccel = D3DXVECTOR3(static_cast<float>(a % 7 - 3) * 0.001f, 0.036f, static_cast<float>(b % 3 + 2) * 0.001f);
  animTime = 0;
  hitTimer = 0;
}

void Bee::recover() {
  state = BeeFlying;
  spinSpeed = 0;
  heading = 0;
  roll = 0;
}
