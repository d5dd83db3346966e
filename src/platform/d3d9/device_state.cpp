#include "platform/d3d9/device_state.h"

namespace d3d9 {

D3DMATRIX IdentityMatrix() {
  D3DMATRIX m{};
  m._11 = m._22 = m._33 = m._44 = 1.0f;
  return m;
}

void DeviceState::Reset(const D3DPRESENT_PARAMETERS& parameters) {
  *this = DeviceState{};
  scissorRect = RECT{0, 0, int32_t(parameters.BackBufferWidth), int32_t(parameters.BackBufferHeight)};
  renderStates[D3DRS_ZENABLE] = parameters.EnableAutoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE;
  renderStates[D3DRS_FILLMODE] = 3;   // solid
  renderStates[D3DRS_SHADEMODE] = 2;  // Gouraud
  renderStates[D3DRS_ZWRITEENABLE] = 1;
  renderStates[D3DRS_LASTPIXEL] = 1;
  renderStates[D3DRS_SRCBLEND] = D3DBLEND_ONE;
  renderStates[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
  renderStates[D3DRS_CULLMODE] = D3DCULL_CCW;
  renderStates[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
  renderStates[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
  renderStates[D3DRS_TEXTUREFACTOR] = 0xFFFFFFFF;
  renderStates[D3DRS_LIGHTING] = 1;
  renderStates[D3DRS_COLORVERTEX] = 1;
  renderStates[D3DRS_MULTISAMPLEANTIALIAS] = 1;
  renderStates[D3DRS_BLENDOP] = D3DBLENDOP_ADD;
  for (auto& sampler : samplerStates) {
    sampler[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
    sampler[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
    sampler[D3DSAMP_ADDRESSW] = D3DTADDRESS_WRAP;
    sampler[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
    sampler[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
    sampler[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
    sampler[D3DSAMP_MAXANISOTROPY] = 1;
  }
  for (UINT i = 0; i < kMaxStages; ++i) {
    auto& stage = stageStates[i];
    stage[D3DTSS_COLOROP] = i == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
    stage[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
    stage[D3DTSS_COLORARG2] = D3DTA_CURRENT;
    stage[D3DTSS_ALPHAOP] = i == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
    stage[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
    stage[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
    stage[D3DTSS_TEXCOORDINDEX] = i;
    stage[D3DTSS_COLORARG0] = D3DTA_CURRENT;
    stage[D3DTSS_ALPHAARG0] = D3DTA_CURRENT;
    stage[D3DTSS_RESULTARG] = D3DTA_CURRENT;
  }
  world = view = projection = IdentityMatrix();
}

FvfLayout LayoutOfFvf(DWORD fvf) {
  FvfLayout layout;
  UINT offset = 0;
  switch (fvf & D3DFVF_POSITION_MASK) {
    case D3DFVF_XYZ: layout.position = 0; offset = 12; break;
    case D3DFVF_XYZRHW: layout.position = 0; offset = 16; layout.transformed = true; break;
    default: break;
  }
  if (fvf & D3DFVF_NORMAL) { layout.normal = offset; offset += 12; }
  if (fvf & D3DFVF_PSIZE) offset += 4;
  if (fvf & D3DFVF_DIFFUSE) { layout.diffuse = offset; offset += 4; }
  if (fvf & D3DFVF_SPECULAR) { layout.specular = offset; offset += 4; }
  layout.texcoordCount = static_cast<int>((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT);
  if (layout.texcoordCount > 8) layout.texcoordCount = 8;
  for (int i = 0; i < layout.texcoordCount; ++i) {
    // Every set is two floats unless the format's size bits say otherwise.
    UINT sizeBits = (fvf >> (16 + 2 * i)) & 3;
    static const UINT kFloats[4] = {2, 3, 4, 1};
    layout.texcoord[i] = offset;
    offset += 4 * kFloats[sizeBits];
  }
  layout.stride = offset;
  return layout;
}

std::vector<D3DVERTEXELEMENT9> ElementsUntilEnd(const D3DVERTEXELEMENT9* elements) {
  std::vector<D3DVERTEXELEMENT9> list;
  if (!elements) return list;
  for (int i = 0; i < 64 && elements[i].Stream != 0xFF; ++i) list.push_back(elements[i]);
  return list;
}

}  // namespace d3d9
