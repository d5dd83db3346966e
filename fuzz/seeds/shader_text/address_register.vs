vs_1_1
dcl_normal v1
mov a0.x, c0.x
mov oD0, c[a0.x + 3]
