#pragma once
// The globals of the current attempt at a level. The board rules add their
// points to levelScore; the level's update applies everything else.
#include <cstdint>
#include <string>

#include "core/camera.h"

struct PlayState {
  int32_t levelScore = 0;
  int32_t displayedScore = 0;
  int32_t levelNumber = 0;
  int32_t profileIndex = 0;
  int32_t flowerStreak = 0;
  int32_t multiplier = 1;
  int32_t medal = 0;
  int32_t totalScore = 0;
  int32_t displayedTotal = 0;
  uint8_t trainingLevel = 0;
  int32_t modalState = 0;
  int32_t resultsShown = 0;
  int32_t inputBlocked = 0;
  float spinAngle = 0;
  float skyAngle = 0;
  float boardPointX = 0;
  float boardPointY = 0;
  int32_t lastHoveredCell = 1;
  int32_t frameSleep = 0;
  uint32_t lastFrameTime = 0;
  CameraPose cameraPose;      // the current camera's, as of this frame's update
  bool cameraStill = false;   // the same as the frame before's
  std::string flowerTexture;  // "f_<levelNumber>"
};

extern PlayState Play;
