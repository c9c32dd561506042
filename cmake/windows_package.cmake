# The Windows program as a zip that runs where it is unpacked: tessaloom.exe with the Qt and
# compiler runtime DLLs it loads, Qt's plugins in the folders Qt looks in beside the program, and
# the Help folder. cpack -G ZIP in the build tree, or scripts/package windows, makes it.
if(NOT WIN32 OR NOT TARGET tessaloom)
  return()
endif()

# Qt looks for its plugins in folders named after their kind beside the program.
set(plugin_folders
  Qt6::QWindowsIntegrationPlugin platforms
  Qt6::QWindowsVistaStylePlugin styles
  Qt6::QJpegPlugin imageformats
  Qt6::QGifPlugin imageformats
)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::Core Qt6::Gui Qt6::Widgets
  RUNTIME_DEPENDENCY_SET tessaloom_dlls RUNTIME DESTINATION ${TESSALOOM_INSTALL_DIR})
while(plugin_folders)
  list(POP_FRONT plugin_folders plugin folder)
  install(IMPORTED_RUNTIME_ARTIFACTS ${plugin}
    RUNTIME_DEPENDENCY_SET tessaloom_dlls LIBRARY DESTINATION ${TESSALOOM_INSTALL_DIR}/${folder})
endwhile()

# Of what those load, only Qt's and the compiler's own DLLs go along; the rest is Windows.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
  OUTPUT_VARIABLE libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
  OUTPUT_VARIABLE winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(libstdcxx_dir ${libstdcxx} DIRECTORY)
get_filename_component(winpthread_dir ${winpthread} DIRECTORY)
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(qt_bin_dir ${qt_core_dll} DIRECTORY)
install(RUNTIME_DEPENDENCY_SET tessaloom_dlls
  PRE_INCLUDE_REGEXES "^[Qq]t6" "^lib(stdc\\+\\+-6|gcc_s_seh-1|winpthread-1)\\.dll$"
  PRE_EXCLUDE_REGEXES ".*"
  DIRECTORIES ${qt_bin_dir} ${libstdcxx_dir} ${winpthread_dir}
  DESTINATION ${TESSALOOM_INSTALL_DIR})

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tessaloom)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Marrowquill Software")
set(CPACK_PACKAGE_FILE_NAME Tessaloom-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
include(CPack)
