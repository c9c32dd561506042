# The Windows program carries its icon and version as resources.
if(NOT TARGET tessaloom_artwork_files)
  message(FATAL_ERROR "The program's .ico is drawn by src/artwork, which must come first")
endif()
get_target_property(TESSALOOM_ICON_ICO tessaloom_artwork_files TESSALOOM_ICON_ICO)

configure_file(tessaloom.rc.in ${CMAKE_CURRENT_BINARY_DIR}/tessaloom.rc @ONLY)
target_sources(tessaloom PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/tessaloom.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/tessaloom.rc PROPERTIES OBJECT_DEPENDS ${TESSALOOM_ICON_ICO})
