# The Windows program carries its icon and version as resources.
if(NOT TESSALOOM_ICON_ICO)
  message(FATAL_ERROR "The program's .ico is drawn by src/artwork, which must come first")
endif()

configure_file(tessaloom.rc.in ${CMAKE_CURRENT_BINARY_DIR}/tessaloom.rc @ONLY)
target_sources(tessaloom PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/tessaloom.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/tessaloom.rc PROPERTIES OBJECT_DEPENDS ${TESSALOOM_ICON_ICO})
