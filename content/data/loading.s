image {
  name bg
  x 0.000
  y 0.000
  width 2.000
  height 1.500
  texture1 menu
  wait 0.000
  time 0.000
}
label {
  name loading
  x 0.849
  y 1.340
  width 0.321
  height 0.065
  text Loading...
  wait 0.000
  time 0.000
}
