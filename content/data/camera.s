image {
  name num
  x 0.060
  y 1.315
  width 0.170
  height 0.170
  texture1 m_empty_up
  wait 0.000
  time 0.250
}
image {
  name score_bar
  x 1.130
  y 1.345
  width 0.440
  height 0.110
  texture1 score
  wait 0.000
  time 0.250
}
label {
  name lbckore
  x 1.255
  y 1.370
  width 0.300
  height 0.058
  wait 0.000
  time 0.250
}
image {
  name corner
  x 1.620
  y 1.130
  width 0.380
  height 0.370
  texture1 i_corner_downright
  wait 0.000
  time 0.250
}
button {
  name useEye
  x 1.650
  y 1.200
  width 0.170
  height 0.170
  texture1 i_binokol_up
  texture2 i_binokol_over
  texture3 i_binokol_down
  wait 0.000
  time 0.250
}
image {
  name hammer
  x 1.840
  y 1.190
  width 0.080
  height 0.080
  texture1 cur_molot1
  wait 0.000
  time 0.250
}
label {
  name molot_count
  x 1.925
  y 1.205
  width 0.050
  height 0.055
  wait 0.000
  time 0.250
}
image {
  name binoculars
  x 1.840
  y 1.290
  width 0.080
  height 0.080
  texture1 i_binokol_up1
  wait 0.000
  time 0.250
}
label {
  name binokl_count
  x 1.925
  y 1.305
  width 0.050
  height 0.055
  wait 0.000
  time 0.250
}
button {
  name ingame
  x 1.860
  y 0.030
  width 0.110
  height 0.110
  texture1 m_menu
  texture2 m_menu
  texture3 m_menu
  wait 0.000
  time 0.250
}
