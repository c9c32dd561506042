# Cross-builds the toolkit-free libraries and their tests for 64-bit Windows with mingw-w64.
# The tests run under Wine (see run-under-wine.sh), in a Wine prefix inside the build folder.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-posix.cmake)

# The compiler's runtime DLLs are linked in, so every test runs without them beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh;${CMAKE_BINARY_DIR}/wine")
