# The Windows program carries its icon and version as resources.
if(NOT TESSALOOM_ICON_ICO)
  # Until the painter writes the .ico itself, it is put together from the drawn PNGs.
  get_filename_component(icon_dir "${TESSALOOM_ICON_PNG}" DIRECTORY)
  set(icon_pngs ${icon_dir}/icon_16.png ${icon_dir}/icon_32.png ${icon_dir}/icon_48.png ${icon_dir}/icon_256.png)
  set(TESSALOOM_ICON_ICO ${CMAKE_CURRENT_BINARY_DIR}/tessaloom.ico)
  find_program(TESSALOOM_MAGICK_CONVERT convert REQUIRED)
  add_custom_command(OUTPUT ${TESSALOOM_ICON_ICO}
    COMMAND ${TESSALOOM_MAGICK_CONVERT} ${icon_pngs} ${TESSALOOM_ICON_ICO}
    DEPENDS ${icon_pngs}
    VERBATIM)
endif()

configure_file(tessaloom.rc.in ${CMAKE_CURRENT_BINARY_DIR}/tessaloom.rc @ONLY)
target_sources(tessaloom PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/tessaloom.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/tessaloom.rc PROPERTIES OBJECT_DEPENDS ${TESSALOOM_ICON_ICO})
