vs_2_0
// the smallest useful vertex shader
dcl_position v0
m4x4 oPos, v0, c0
