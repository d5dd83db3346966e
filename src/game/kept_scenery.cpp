#include "game/kept_scenery.h"

#include <vector>

#include "core/graphics_device.h"
#include "game/hidden_scenery.h"
#include "game/level_files.h"

namespace {
// FNV-1a, 64 bits.
struct Fingerprint {
  uint64_t value = 14695981039346656037ull;
  void add(const void* data, size_t bytes) {
    const auto* byte = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < bytes; ++i) value = (value ^ byte[i]) * 1099511628211ull;
  }
};
}  // namespace

uint64_t sceneryTag() {
  Fingerprint print;
  print.add(&Graphics.ViewMatrix, sizeof Graphics.ViewMatrix);
  print.add(&Graphics.ProjectionMatrix, sizeof Graphics.ProjectionMatrix);
  for (size_t i = 0; i < Levels.SceneObjectList.size(); ++i) {
    print.add(&Levels.SceneObjectList[i], sizeof(SceneObject));
    if (const std::vector<VertexRun>* runs = visibleGroundRuns(i))
      print.add(runs->data(), runs->size() * sizeof(VertexRun));
    else
      print.add("whole", 5);
  }
  return print.value;
}
