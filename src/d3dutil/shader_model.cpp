#include "d3dutil/shader_model.h"

#include <cctype>
#include <iterator>

#include "platform/d3d9/shader_tokens.h"

namespace shasm {
namespace {

const ShaderVersion kVersions[] = {
    {"vs_1_1", kVs11, false, D3DVS_VERSION(1, 1), false, 128, 0},
    {"vs_2_0", kVs20, false, D3DVS_VERSION(2, 0), true, 256, 0},
    {"ps_2_0", kPs20, true, D3DPS_VERSION(2, 0), true, 64, 32},
};

const RegisterFile kVs11Files[] = {
    {"r", D3DSPR_TEMP, 12, 0, kReadable | kWritable, false, "r#"},
    {"v", D3DSPR_INPUT, 16, 0, kReadable, false, "v#"},
    {"c", D3DSPR_CONST, 96, 0, kReadable, true, "c#"},
    {"a", D3DSPR_ADDR, 1, 0, kSpecial, false, "a0"},
    {"opos", D3DSPR_RASTOUT, 0, D3DSRO_POSITION, kWritable, false, "oPos"},
    {"ofog", D3DSPR_RASTOUT, 0, D3DSRO_FOG, kWritable, false, "oFog"},
    {"opts", D3DSPR_RASTOUT, 0, D3DSRO_POINT_SIZE, kWritable, false, "oPts"},
    {"od", D3DSPR_ATTROUT, 2, 0, kWritable, false, "oD#"},
    {"ot", D3DSPR_TEXCRDOUT, 8, 0, kWritable, false, "oT#"},
};

const RegisterFile kVs20Files[] = {
    {"r", D3DSPR_TEMP, 12, 0, kReadable | kWritable, false, "r#"},
    {"v", D3DSPR_INPUT, 16, 0, kReadable, false, "v#"},
    {"c", D3DSPR_CONST, 256, 0, kReadable, true, "c#"},
    {"a", D3DSPR_ADDR, 1, 0, kSpecial, false, "a0"},
    {"i", D3DSPR_CONSTINT, 16, 0, kSpecial, false, "i#"},
    {"b", D3DSPR_CONSTBOOL, 16, 0, kSpecial, false, "b#"},
    {"al", D3DSPR_LOOP, 0, 0, kSpecial, false, "aL"},
    {"l", D3DSPR_LABEL, 16, 0, kSpecial, false, "l#"},
    {"opos", D3DSPR_RASTOUT, 0, D3DSRO_POSITION, kWritable, false, "oPos"},
    {"ofog", D3DSPR_RASTOUT, 0, D3DSRO_FOG, kWritable, false, "oFog"},
    {"opts", D3DSPR_RASTOUT, 0, D3DSRO_POINT_SIZE, kWritable, false, "oPts"},
    {"od", D3DSPR_ATTROUT, 2, 0, kWritable, false, "oD#"},
    {"ot", D3DSPR_TEXCRDOUT, 8, 0, kWritable, false, "oT#"},
};

const RegisterFile kPs20Files[] = {
    {"r", D3DSPR_TEMP, 12, 0, kReadable | kWritable, false, "r#"},
    {"v", D3DSPR_INPUT, 2, 0, kReadable, false, "v#"},
    {"c", D3DSPR_CONST, 32, 0, kReadable, false, "c#"},
    {"t", D3DSPR_TEXTURE, 8, 0, kReadable, false, "t#"},
    {"s", D3DSPR_SAMPLER, 16, 0, kSpecial, false, "s#"},
    {"oc", D3DSPR_COLOROUT, 4, 0, kWritable, false, "oC#"},
    {"odepth", D3DSPR_DEPTHOUT, 0, 0, kWritable, false, "oDepth"},
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = static_cast<char>(std::tolower(static_cast<unsigned char>(a[i])));
    char y = b[i] == '.' ? '_' : b[i];
    if ((x == '.' ? '_' : x) != y) return false;
  }
  return true;
}

template <size_t N>
const RegisterFile* Find(const RegisterFile (&files)[N], std::string_view prefix) {
  for (const RegisterFile& file : files)
    if (prefix == file.prefix) return &file;
  return nullptr;
}

}  // namespace

const ShaderVersion* FindShaderVersion(std::string_view word) {
  for (const ShaderVersion& version : kVersions)
    if (SameIgnoringCase(word, version.name)) return &version;
  return nullptr;
}

bool LooksLikeShaderVersion(std::string_view word) {
  if (word.size() < 6) return false;
  char kind = static_cast<char>(std::tolower(static_cast<unsigned char>(word[0])));
  char s = static_cast<char>(std::tolower(static_cast<unsigned char>(word[1])));
  return (kind == 'v' || kind == 'p') && s == 's' && (word[2] == '_' || word[2] == '.') &&
         std::isdigit(static_cast<unsigned char>(word[3]));
}

const RegisterFile* FindRegisterFile(const ShaderVersion& version, std::string_view lowerPrefix) {
  switch (version.bit) {
    case kVs11: return Find(kVs11Files, lowerPrefix);
    case kVs20: return Find(kVs20Files, lowerPrefix);
    case kPs20: return Find(kPs20Files, lowerPrefix);
  }
  return nullptr;
}

}  // namespace shasm
