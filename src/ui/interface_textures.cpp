#include "ui/interface_textures.h"

#include <array>

#include "render/name_table.h"
#include "render/texture_cache.h"

namespace {
// Passed exactly as they are; the texture cache splits them and skips names
// it already has.
constexpr std::array<const char*, 22> InterfaceTextureLists = {
    "podlogka, game_map, bar, bar_s, bar_u, delete, delete1, check, checkA, enter, arrow, point",
    "hex_30, hex_40, hex_bomb, hex_close6, hex_info, hex_open_void",
    "hex_number_1, hex_number_2, hex_number_3",
    "hex_number_4, hex_number_5, hex_number_6",
    "hex_open_1, hex_open_2, hex_open_3, hex_open_4, hex_open_5, hex_open_6",
    "i_corner_downright, i_binokol_over, i_flower_en, i_flower_dis",
    "i_binokol_down, i_binokol_up, hecsogon_1, i_binokol_up1",
    "m_menu, m_empty_down, m_empty_up, m_empty_down, m_menu, empty",
    "m_leftarrow_down, m_leftarrow_over, m_leftarrow_up",
    "btn_down, btn_up, btn_over,vopros, btn_up_s, btn_over_s, btn_down_s",
    "vol1, vol2, vol3, vol4, vol5, vol6, vol7, vol8, vol9",
    "isle1,isle2,isle3,isle4,isle5,isle6,isle7,isle8,isle9",
    "k_1, k_2, k_3, k_4, k_5, k_6, k_7, k_8, k_9, k_10, k_11",
    "f_1, f_2, f_3, f_4, f_5, f_6, f_7, f_8, f_9",
    "b_grey, b_grey2, bar_s1, bar_s2, bar_s3",
    "medal_bronze, medal_gold, medal_silver",
    "slot_red, slot_green, slot_blue",
    "trava, brevno11, doska, grib, kamen, newsky, ostrov1, score",
    "ostrov12, ostrov, bee, body, wing",
    "binokol, cur_molot1, flag, life2, life, molot",
    "m_tick, checkbox, m_frame2, m_langeng_over_en, arrow, mushroom",
    "m_bonus_over, m_bonus_up, options, profiles",
};
}  // namespace

void LoadInterfaceTextures(void (*drawLoadingFrame)()) {
  for (int group = 1; group <= 22; ++group) {
    Textures.addTextures(InterfaceTextureLists[group - 1]);
    if ((group == 5 || group == 10 || group == 17) && drawLoadingFrame) drawLoadingFrame();
  }
}

std::vector<std::string> InterfaceTextureFiles() {
  NameTable names;
  for (const char* list : InterfaceTextureLists) names.addNames(list);
  std::vector<std::string> files;
  for (int32_t i = 0; i < names.count; ++i) files.push_back(TextureFile(names.nameAt(i)));
  return files;
}
