# Draws the help file's picture of a board: a four-row game with two pairs found, so that the
# picture shows through, and a pair of sevens face up. The board has the game's proportions at
# one pixel to fifteen twips: 321 x 240, cards 81 x 60 pixels, one column every 80 pixels.
# Run as: cmake -DCONVERT=<convert> -DFONT=<font file> -DOUT=<png> -P draw_board.cmake
cmake_minimum_required(VERSION 3.25)

# The picture under the cards: sky, sun, a cloud, two hills and a tree.
set(args -size 321x240 "gradient:#8ccaf5-#fdf1cf"
  -fill "#ffd84a" -stroke "#f0b400" -draw "circle 252,58 252,84"
  -stroke none -fill "#7cbf5e" -draw "ellipse 70,250 170,95 180,360"
  -fill "#5ea24c" -draw "ellipse 270,262 150,105 180,360"
  -fill "#ffffff" -draw "ellipse 95,55 30,11 0,360" -draw "ellipse 120,48 22,10 0,360"
  -fill "#8a5a2b" -draw "rectangle 196,150 203,185"
  -fill "#3f8a3a" -draw "circle 200,140 200,118")

set(found 3 5 10 12)  # board positions of the pairs already removed
set(face_up 2 15)     # the open pair

foreach(position RANGE 15)
  if(position IN_LIST found)
    continue()
  endif()
  math(EXPR x0 "${position} % 4 * 80")
  math(EXPR y0 "${position} / 4 * 60")
  math(EXPR x1 "${x0} + 80")
  math(EXPR y1 "${y0} + 59")
  math(EXPR light_edge_x "${x0} + 1")
  math(EXPR light_edge_y "${y0} + 1")
  math(EXPR dark_edge_x "${x1} - 1")
  math(EXPR dark_edge_y "${y1} - 1")
  # A raised button: light top and left edges, dark bottom and right edges.
  list(APPEND args -stroke none -fill "#f1efe9" -draw "rectangle ${x0},${y0} ${x1},${y1}"
    -fill "#ffffff" -draw "rectangle ${x0},${y0} ${x1},${light_edge_y}"
                    -draw "rectangle ${x0},${y0} ${light_edge_x},${y1}"
    -fill "#8b877e" -draw "rectangle ${x0},${dark_edge_y} ${x1},${y1}"
                    -draw "rectangle ${dark_edge_x},${y0} ${x1},${y1}")
  if(position IN_LIST face_up)
    math(EXPR text_x "${x0} + 34")
    math(EXPR text_y "${y0} + 38")
    list(APPEND args -fill "#202020" -font ${FONT} -pointsize 20 -draw "text ${text_x},${text_y} '7'")
  endif()
endforeach()

# -strip leaves out the time stamps, so the same sources give the same picture.
execute_process(COMMAND ${CONVERT} ${args} -strip ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Drawing ${OUT} failed: ${result}")
endif()
