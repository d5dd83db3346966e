#pragma once
// Models by name, loaded from "models\<name>.msh"; names that were never
// registered give the fallback mesh bin\error.msh.
#include <vector>

#include "render/mesh.h"
#include "render/name_table.h"

struct MeshRegistry {
  NameTable names;
  std::vector<Mesh> meshes;  // parallel to names
  Mesh errorMesh;

  void loadErrorMesh();
  // Registers and loads the new names of the list; false when none was new.
  bool addMeshes(const char* list);
  Mesh find(const char* name) const;
  // Frees every tree, the fallback mesh's first.
  void release();
  void releaseNames() { names.clear(); }
};

extern MeshRegistry Meshes;
