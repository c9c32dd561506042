# The Windows program as it is installed: tessaloom.exe with the Qt and compiler runtime DLLs it
# loads, Qt's plugins in the folders Qt looks in beside the program, and the Help folder. CPack
# installs that tree and windows_release.cmake makes both release files from it, a zip that runs
# where it is unpacked and a Windows Installer package: scripts/package windows.
# Included where the program is built for Windows.

find_package(Qt6 REQUIRED COMPONENTS Widgets)

# Qt looks for its plugins in folders named after their kind beside the program. PNG is read by
# Qt itself; WebP by the plugin scripts/windows-qt builds beside Qt.
set(plugin_folders
  Qt6::QWindowsIntegrationPlugin platforms
  Qt6::QWindowsVistaStylePlugin styles
  Qt6::QJpegPlugin imageformats
  Qt6::QGifPlugin imageformats
  Qt6::QWebpPlugin imageformats
)
while(plugin_folders)
  list(POP_FRONT plugin_folders plugin folder)
  install(IMPORTED_RUNTIME_ARTIFACTS ${plugin} LIBRARY DESTINATION ${TESSALOOM_INSTALL_DIR}/${folder})
endwhile()

# Then the DLLs those load from Qt and from the compiler; the rest is Windows' own.
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(dll_sources ${qt_core_dll} DIRECTORY)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE dll_file OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(dll_dir ${dll_file} DIRECTORY)
  list(APPEND dll_sources ${dll_dir})
endforeach()
list(REMOVE_DUPLICATES dll_sources)
install(CODE "
  set(TESSALOOM_DLL_FOLDER \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${TESSALOOM_INSTALL_DIR}\")
  set(TESSALOOM_DLL_SOURCES \"${dll_sources}\")
  set(TESSALOOM_OBJDUMP \"${CMAKE_OBJDUMP}\")
  set(TESSALOOM_STRIP \"${CMAKE_STRIP}\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/copy_windows_dlls.cmake\")
")

set(CPACK_GENERATOR External)
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/windows_release.cmake)
set(CPACK_PACKAGE_NAME Tessaloom)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Marrowquill Software")
set(CPACK_PACKAGE_FILE_NAME Tessaloom-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
# What only the installer needs: the program its Start menu shortcut starts, the icon of the
# shortcut and of the installed-programs entry, and the upgrade code that stays the same in every
# version, so that installing a later version replaces the earlier one.
set(CPACK_TESSALOOM_PROGRAM tessaloom.exe)
get_target_property(CPACK_TESSALOOM_ICON tessaloom_artwork_files TESSALOOM_ICON_ICO)
set(CPACK_TESSALOOM_UPGRADE_CODE 1A828152-D581-4857-AD18-474380FCF447)
include(CPack)
