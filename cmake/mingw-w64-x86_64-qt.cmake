# Cross-builds the whole program for 64-bit Windows against the Qt that scripts/windows-qt builds
# into the cache folder, with the build machine's Qt tools (moc, uic, rcc) as host tools.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-posix.cmake)

if(NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
  set(tessaloom_cache "$ENV{XDG_CACHE_HOME}")
else()
  set(tessaloom_cache "$ENV{HOME}/.cache")
endif()
set(TESSALOOM_WINDOWS_QT "${tessaloom_cache}/tessaloom/qt-6.4.2-mingw64")
if(NOT EXISTS "${TESSALOOM_WINDOWS_QT}/tessaloom-build-complete")
  message(FATAL_ERROR "No Qt for Windows in ${TESSALOOM_WINDOWS_QT}: scripts/windows-qt builds it")
endif()

list(APPEND CMAKE_FIND_ROOT_PATH "${TESSALOOM_WINDOWS_QT}")
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
