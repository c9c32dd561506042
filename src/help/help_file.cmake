# The help file, compiled from content/ with chmcmd into the Help folder beside the program.
# Its one picture is drawn here at build time, so no binary lies in the sources. The target
# tessaloom_help_file carries the file's path as its property TESSALOOM_HELP_FILE.
find_program(TESSALOOM_CHMCMD chmcmd)
find_program(TESSALOOM_MAGICK_CONVERT convert)
find_file(TESSALOOM_HELP_FONT NAMES ComicNeue-Bold.otf DejaVuSans-Bold.ttf
  PATHS /usr/share/fonts/opentype/comic-neue /usr/share/fonts/truetype/dejavu
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH) # a file of the build machine, also when cross-building

set(missing_tools)
if(NOT TESSALOOM_CHMCMD)
  list(APPEND missing_tools "chmcmd (fp-utils)")
endif()
if(NOT TESSALOOM_MAGICK_CONVERT)
  list(APPEND missing_tools "convert (imagemagick)")
endif()
if(NOT TESSALOOM_HELP_FONT)
  list(APPEND missing_tools "a font (fonts-comic-neue)")
endif()
list(JOIN missing_tools ", " missing_tools)

if(missing_tools AND TESSALOOM_WITH_QT)
  message(FATAL_ERROR "The help file needs ${missing_tools}: run scripts/deps")
elseif(missing_tools)
  message(STATUS "Help file: skipped, no ${missing_tools}")
else()
  set(help_file "${PROJECT_BINARY_DIR}/Help/Tessaloom Help.chm")
  set(help_sources
    Welcome.htm
    Customizing_Pictures.htm
    tessaloom.css
    contents.hhc
    index.hhk
    tessaloom_help.hhp
  )
  list(TRANSFORM help_sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/content/)
  set(stage ${CMAKE_CURRENT_BINARY_DIR}/help_content)
  file(MAKE_DIRECTORY ${stage}/images)

  add_custom_command(
    OUTPUT ${help_file}
    COMMAND ${CMAKE_COMMAND} -E copy ${help_sources} ${stage}
    COMMAND ${CMAKE_COMMAND} -DCONVERT=${TESSALOOM_MAGICK_CONVERT} -DFONT=${TESSALOOM_HELP_FONT}
            -DOUT=${stage}/images/board.png -P ${CMAKE_CURRENT_SOURCE_DIR}/draw_board.cmake
    COMMAND ${CMAKE_COMMAND} -E rm -f "${stage}/Tessaloom Help.chm"
    COMMAND ${TESSALOOM_CHMCMD} --verbosity 0 tessaloom_help.hhp
    # The same sources give the same file: its compile times are cleared afterwards, and the
    # project asks for no binary index (chmcmd leaves a byte of it uninitialised; the viewers read
    # the index from index.hhk, which the file holds either way).
    COMMAND perl ${CMAKE_CURRENT_SOURCE_DIR}/clear_chm_times.pl "${stage}/Tessaloom Help.chm"
    COMMAND ${CMAKE_COMMAND} -E copy "${stage}/Tessaloom Help.chm" ${help_file}
    WORKING_DIRECTORY ${stage}
    DEPENDS ${help_sources} ${CMAKE_CURRENT_SOURCE_DIR}/draw_board.cmake ${CMAKE_CURRENT_SOURCE_DIR}/clear_chm_times.pl
    COMMENT "Compiling the help file"
    VERBATIM
  )
  add_custom_target(tessaloom_help_file ALL DEPENDS ${help_file})
  set_target_properties(tessaloom_help_file PROPERTIES TESSALOOM_HELP_FILE "${help_file}")
endif()
