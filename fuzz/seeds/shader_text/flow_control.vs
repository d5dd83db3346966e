vs_2_0
dcl_position v0
defi i0, 3, 0, 1, 0
loop aL, i0
add r0, r0, c[aL + 10]
endloop
mova a0.x, r0.x
mov r1, -c[a0.x + 2].yzxw
m4x4 oPos, v0, c0
if b1
call l0
endif
ret
label l0
ret
