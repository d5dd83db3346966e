#pragma once
// Every model the game loads, one builder each. Sizes are in the units the
// game draws them with (see each builder's file for placement and texture
// layout).
#include "model_node.h"

ModelNode MakeHexagon();

ModelNode MakeBeeHead();
ModelNode MakeBeeBody();
ModelNode MakeBeeWing(bool right);
ModelNode MakeWholeBee();

ModelNode MakeSkybox();
ModelNode MakeIsland(int variant);  // 1 .. 4

ModelNode MakeLog();
ModelNode MakeGrassTuft(int variant);  // 1, 2
ModelNode MakeMushroom();
ModelNode MakeStone(int variant);  // 1, 2
ModelNode MakeBridge();

ModelNode MakeQuestionMark();
ModelNode MakeExclamationMark();
ModelNode MakeErrorModel();

ModelNode MakeFlower();
ModelNode MakeFlag();
ModelNode MakeBinoculars();
ModelNode MakeHammer();
