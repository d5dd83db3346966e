; Debug geometry: positions through world, view and projection, vertex colour.
; Constants: c0..c3 world, c4..c7 view, c8..c11 projection.
vs_2_0
dcl_position v0
dcl_color v1

m4x4 r0, v0, c0
m4x4 r1, r0, c4
m4x4 oPos, r1, c8
mov oD0, v1
