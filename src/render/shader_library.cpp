#include "render/shader_library.h"

#include <cstdio>
#include <cstring>

#include "core/graphics_device.h"
#include "d3dutil/shader_assembler.h"
#include "platform/files.h"
#include "platform/window.h"

ShaderLibrary Shaders;

namespace {

const std::string kNoText;

// A program that does not assemble ends the game; when a test's exit handler
// returns instead, the program is simply missing.
void ShowFatalError(const std::string& text, const char* caption) {
  MessageBoxA(text.c_str(), caption);
  GraphicsDeviceExit(0);
}

void AddNamesFromFiles(NameTable& table, const char* pattern, size_t extensionLength) {
  for (const std::string& file : FindFiles(pattern)) {
    if (file.size() <= extensionLength) continue;
    table.addNames(file.substr(0, file.size() - extensionLength).c_str());
  }
}

// Text mode: the CR of CR LF line ends is dropped, and the text ends at its
// first NUL, as a C string would.
std::string ReadFragmentFile(const std::string& path) {
  FILE* file = OpenFile(path, "rt");
  if (!file) return {};
  std::vector<char> buffer(ShaderLibrary::kFragmentBufferSize, 0);
  size_t got = std::fread(buffer.data(), 1, buffer.size() - 1, file);
  std::fclose(file);
  std::string text;
  for (size_t i = 0; i < got && buffer[i] != '\0'; ++i)
    if (buffer[i] != '\r') text += buffer[i];
  return text;
}

void ReadFragments(const NameTable& names, std::array<std::string, ShaderLibrary::kMaxFragments>& slots,
                   const char* extension) {
  for (int32_t i = 0; i < names.count && i < ShaderLibrary::kMaxFragments; ++i)
    slots[i] = ReadFragmentFile(std::string("bin\\shdrpart\\") + names.nameAt(i) + extension);
}

const std::string& FragmentText(const NameTable& names,
                                const std::array<std::string, ShaderLibrary::kMaxFragments>& slots,
                                const char* name) {
  int32_t index = names.indexOf(name);
  if (index < 0 || index >= ShaderLibrary::kMaxFragments) return kNoText;
  return slots[index];
}

std::string Compose(const ShaderLibrary& library, uint32_t flags,
                    const std::string& (ShaderLibrary::*fragment)(const char*) const) {
  std::string text = (library.*fragment)("head");
  if (flags & kDiffuseFragments) text += (library.*fragment)("diffuse");
  if (flags & kSpecularFragments) text += (library.*fragment)("specular");
  text += (library.*fragment)("end");
  return text;
}

bool Assemble(const std::string& text, std::vector<uint32_t>* code, const char* caption) {
  std::string errors;
  if (D3DXAssembleShader(text.data(), static_cast<unsigned>(text.size()), code, &errors) == D3D_OK) return true;
  ShowFatalError(errors, caption);
  return false;
}

bool AssembleFile(const std::string& path, std::vector<uint32_t>* code, const char* caption) {
  std::string errors;
  if (D3DXAssembleShaderFromFileA(path.c_str(), code, &errors) == D3D_OK) return true;
  ShowFatalError(errors, caption);
  return false;
}

template <typename Shader>
Shader* Find(const NameTable& names, const std::vector<Shader*>& programs, const char* name) {
  int32_t index = names.indexOf(name);
  if (index < 0 || static_cast<size_t>(index) >= programs.size()) return nullptr;
  return programs[index];
}

template <typename Shader>
void ReleaseAll(std::vector<Shader*>& programs) {
  for (Shader* program : programs)
    if (program) program->Release();
  programs.clear();
}

}  // namespace

void ShaderLibrary::discover() {
  if (!Graphics.ShaderPath) return;
  AddNamesFromFiles(vertexProgramNames, "bin\\shdr\\*.vs", 3);
  AddNamesFromFiles(vertexFragmentNames, "bin\\shdrpart\\*.vsp", 4);
  AddNamesFromFiles(pixelProgramNames, "bin\\shdr\\*.ps", 3);
  AddNamesFromFiles(pixelFragmentNames, "bin\\shdrpart\\*.psp", 4);
}

void ShaderLibrary::load() {
  vertexPrograms.assign(vertexProgramNames.count, nullptr);
  pixelPrograms.assign(pixelProgramNames.count, nullptr);
  if (!Graphics.ShaderPath || !Device) return;
  std::vector<uint32_t> code;
  for (int32_t i = 0; i < vertexProgramNames.count; ++i) {
    std::string path = std::string("bin\\shdr\\") + vertexProgramNames.nameAt(i) + ".vs";
    if (AssembleFile(path, &code, "Error vertex shader compiling"))
      Device->CreateVertexShader(code.data(), &vertexPrograms[i]);
  }
  for (int32_t i = 0; i < pixelProgramNames.count; ++i) {
    std::string path = std::string("bin\\shdr\\") + pixelProgramNames.nameAt(i) + ".ps";
    if (AssembleFile(path, &code, "Error pixel shader compiling"))
      Device->CreatePixelShader(code.data(), &pixelPrograms[i]);
  }
  ReadFragments(vertexFragmentNames, vertexFragments, ".vsp");
  ReadFragments(pixelFragmentNames, pixelFragments, ".psp");
}

const std::string& ShaderLibrary::vertexFragment(const char* name) const {
  return FragmentText(vertexFragmentNames, vertexFragments, name);
}

const std::string& ShaderLibrary::pixelFragment(const char* name) const {
  return FragmentText(pixelFragmentNames, pixelFragments, name);
}

std::string ShaderLibrary::composeVertexText(uint32_t flags) const {
  return Compose(*this, flags, &ShaderLibrary::vertexFragment);
}

std::string ShaderLibrary::composePixelText(uint32_t flags) const {
  return Compose(*this, flags, &ShaderLibrary::pixelFragment);
}

IDirect3DVertexShader9* ShaderLibrary::composeVertexProgram(uint32_t flags) const {
  std::vector<uint32_t> code;
  IDirect3DVertexShader9* shader = nullptr;
  if (Assemble(composeVertexText(flags), &code, "err material vs") && Device)
    Device->CreateVertexShader(code.data(), &shader);
  return shader;
}

IDirect3DPixelShader9* ShaderLibrary::composePixelProgram(uint32_t flags) const {
  std::vector<uint32_t> code;
  IDirect3DPixelShader9* shader = nullptr;
  if (Assemble(composePixelText(flags), &code, "err material ps") && Device)
    Device->CreatePixelShader(code.data(), &shader);
  return shader;
}

IDirect3DVertexShader9* ShaderLibrary::vertexProgram(const char* name) const {
  return Find(vertexProgramNames, vertexPrograms, name);
}

IDirect3DPixelShader9* ShaderLibrary::pixelProgram(const char* name) const {
  return Find(pixelProgramNames, pixelPrograms, name);
}

void ShaderLibrary::bindVertexProgram(const char* name) const {
  if (Device) Device->SetVertexShader(Graphics.ShaderPath ? vertexProgram(name) : nullptr);
}

void ShaderLibrary::bindPixelProgram(const char* name) const {
  if (Device) Device->SetPixelShader(Graphics.ShaderPath ? pixelProgram(name) : nullptr);
}

void ShaderLibrary::release() {
  ReleaseAll(vertexPrograms);
  ReleaseAll(pixelPrograms);
  for (std::string& text : vertexFragments) text.clear();
  for (std::string& text : pixelFragments) text.clear();
}

void ShaderLibrary::releaseNames() {
  vertexProgramNames.clear();
  pixelProgramNames.clear();
  vertexFragmentNames.clear();
  pixelFragmentNames.clear();
}
