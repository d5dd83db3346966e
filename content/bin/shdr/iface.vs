; Interface rectangles: the unit quad placed by c60 (x, y, width, height)
; with texture coordinates c61 (u, v, du, dv), in interface units.
; The interface is seen from the origin looking down -z; the projection in
; c8..c11 alone maps it to the screen, so the mirror image that a look-at
; towards -z would give never appears.
; Constants: c0..c3 world, c8..c11 projection, c60 placement, c61 texture region.
vs_2_0
dcl_position v0
dcl_color v1
dcl_texcoord0 v2

mad r0.xy, v0, c60.zw, c60
mov r0.zw, v0
m4x4 r1, r0, c0          ; interface world
mov r1.z, -r1.z          ; depth in front of the eye
m4x4 oPos, r1, c8
mad oT0.xy, v2, c61.zw, c61
mov oD0, v1
