; Billboards: the corner (x, y) of the quad scaled by the half sizes in c17,
; turned by the camera basis in c12..c14 and moved to the centre in c16.
; Constants: c0..c3 world, c4..c7 view, c8..c11 projection, c12..c15 camera
; basis, c16 centre, c17 half sizes.
vs_2_0
dcl_position v0
dcl_color v1
dcl_texcoord0 v2

mul r0.xyz, v0, c17      ; z stays 0
m3x3 r1.xyz, r0, c12
add r1.xyz, r1, c16
mov r1.w, c17.w
m4x4 r2, r1, c0          ; world
m4x4 r3, r2, c4          ; view
m4x4 oPos, r3, c8        ; projection
mov oT0.xy, v2
mov oD0, v1
