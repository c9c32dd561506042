# Programs that run on the build machine while building or testing (the artwork painter, the
# test's window closer). A cross build cannot run its own builds of them, so it builds them once
# more from this same project with the machine's own compiler and Qt, in <build>/host.
include_guard(GLOBAL)

# tessaloom_host_program(<target> <var>): sets <var> to the file of <target>, a program made in
# the calling folder, as it runs on the build machine, and <var>_DEPENDS to what builds it.
function(tessaloom_host_program target var)
  if(NOT CMAKE_CROSSCOMPILING)
    set(${var} $<TARGET_FILE:${target}> PARENT_SCOPE)
    set(${var}_DEPENDS ${target} PARENT_SCOPE)
  else()
    if(TARGET ${target})  # the cross-built copy would never run: leave it out
      set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL ON)
    endif()
    file(RELATIVE_PATH folder ${PROJECT_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR})
    set(file ${PROJECT_BINARY_DIR}/host/${folder}/${target})
    set_property(GLOBAL APPEND PROPERTY tessaloom_host_targets ${target})
    set_property(GLOBAL APPEND PROPERTY tessaloom_host_files ${file})
    set(${var} ${file} PARENT_SCOPE)
    set(${var}_DEPENDS tessaloom_host_tools ${file} PARENT_SCOPE)
  endif()
endfunction()

# Once every folder has asked for its programs, one host build makes them all.
function(tessaloom_add_host_build)
  get_property(targets GLOBAL PROPERTY tessaloom_host_targets)
  get_property(files GLOBAL PROPERTY tessaloom_host_files)
  if(targets)
    include(ExternalProject)
    ExternalProject_Add(tessaloom_host_tools
      SOURCE_DIR ${PROJECT_SOURCE_DIR}
      BINARY_DIR ${PROJECT_BINARY_DIR}/host
      CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
      BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${targets}
      BUILD_ALWAYS ON  # its own build decides what is out of date
      BUILD_BYPRODUCTS ${files}
      INSTALL_COMMAND ""
    )
  endif()
endfunction()

if(CMAKE_CROSSCOMPILING)
  cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL tessaloom_add_host_build)
endif()
