#include "render/mesh_registry.h"

#include <string>

MeshRegistry Meshes;

void MeshRegistry::loadErrorMesh() { errorMesh = loadMesh("bin\\error.msh"); }

bool MeshRegistry::addMeshes(const char* list) {
  int32_t first = names.count;
  if (names.addNames(list) == 0) return false;
  for (int32_t i = first; i < names.count; ++i)
    meshes.push_back(loadMesh((std::string("models\\") + names.nameAt(i) + ".msh").c_str()));
  return true;
}

Mesh MeshRegistry::find(const char* name) const {
  int32_t index = names.indexOf(name);
  if (index < 0 || static_cast<size_t>(index) >= meshes.size()) return errorMesh;
  return meshes[index];
}

void MeshRegistry::release() {
  releaseMesh(errorMesh);
  for (Mesh& mesh : meshes) releaseMesh(mesh);
  meshes.clear();
}
