// kestrin-shasm FILE: assembles a shader file and prints its bytecode as hex
// words, eight to a line; on failure prints the errors and exits with 1.
#include <cstdio>
#include <string>
#include <vector>

#include "d3dutil/shader_assembler.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kestrin-shasm FILE\n");
    return 2;
  }
  std::vector<uint32_t> bytecode;
  std::string errors;
  if (FAILED(D3DXAssembleShaderFromFileA(argv[1], &bytecode, &errors))) {
    std::fprintf(stderr, "%s\n", errors.c_str());
    return 1;
  }
  for (size_t i = 0; i < bytecode.size(); ++i)
    std::printf("0x%08x%s", bytecode[i], (i % 8 == 7 || i + 1 == bytecode.size()) ? "\n" : " ");
  return 0;
}
