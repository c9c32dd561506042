# GoogleTest for this build, and the functions that add the test suites: unit tests, Qt tests
# and libFuzzer targets.
if(CMAKE_CROSSCOMPILING)
  # No GoogleTest package exists for the cross compiler: build it from Debian's sources.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest)  # googletest 1.11 and later name them itself
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
    add_library(GTest::gmock ALIAS gmock)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)
# Listing the tests of a cross-built program may first have to make a Wine prefix.
set(tessaloom_discovery_timeout 5)
if(CMAKE_CROSSCOMPILING)
  set(tessaloom_discovery_timeout 300)
endif()
if(TESSALOOM_WITH_QT)
  find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
endif()

# The scripted stand-ins the suites share, the in-memory registry among them.
add_library(tessaloom_test_support STATIC support/memory_registry.cpp)
target_include_directories(tessaloom_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tessaloom_test_support PUBLIC tessaloom_settings)

# Adds a GoogleTest executable and registers each of its tests with CTest.
# TIMEOUT <seconds> ends each of its tests that runs longer: for a suite whose fault would be a
# run that takes minutes rather than a wrong answer.
function(tessaloom_add_test name)
  cmake_parse_arguments(arg "" "TIMEOUT" "" ${ARGN})
  add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main tessaloom_test_support)
  if(arg_TIMEOUT)
    set(properties PROPERTIES TIMEOUT ${arg_TIMEOUT})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT ${tessaloom_discovery_timeout}
    ${properties})
endfunction()

# The same for tests that need a QApplication (offscreen unless told otherwise).
function(tessaloom_add_qt_test name)
  add_executable(${name} ${ARGN} ${PROJECT_SOURCE_DIR}/tests/support/qt_test_main.cpp)
  target_link_libraries(${name} PRIVATE GTest::gtest tessaloom_test_support Qt6::Widgets)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()

# A libFuzzer target built from <name>.cpp beside the caller, and a test that runs it for a short,
# bounded time from the seed corpus (if any) and dictionary there (<dict>); what it finds goes to the
# build folder, never into the sources. MAX_LEN raises the longest input it tries (libFuzzer's
# default is 4096 bytes); SEEDS names a program, <seeds>.cpp beside the caller, that writes more
# seed files into the folder it is given at build time, for seeds too large to keep in the sources;
# SEED_FILES lists files (build outputs among them) copied into a seed folder at build time.
function(tessaloom_add_fuzz_test name library seconds dict)
  cmake_parse_arguments(PARSE_ARGV 4 fuzz "" "MAX_LEN;SEEDS" "SEED_FILES")
  if(NOT TARGET fuzz_targets)
    add_custom_target(fuzz_targets)
  endif()
  add_executable(${name} ${name}.cpp)
  target_link_libraries(${name} PRIVATE ${library})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzz_targets ${name})
  set(found ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  file(MAKE_DIRECTORY ${found})
  set(options -max_total_time=${seconds} -timeout=10 -rss_limit_mb=2048 -print_final_stats=1)
  if(fuzz_MAX_LEN)
    list(APPEND options -max_len=${fuzz_MAX_LEN})
  endif()
  set(seed_folders)
  if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/corpus)
    list(APPEND seed_folders ${CMAKE_CURRENT_SOURCE_DIR}/corpus)
  endif()
  if(fuzz_SEEDS)
    set(made ${CMAKE_CURRENT_BINARY_DIR}/${name}_seeds)
    add_executable(${fuzz_SEEDS} ${fuzz_SEEDS}.cpp)
    target_link_libraries(${fuzz_SEEDS} PRIVATE ${library})
    add_custom_command(OUTPUT ${made}.made
      COMMAND ${CMAKE_COMMAND} -E make_directory ${made}
      COMMAND ${fuzz_SEEDS} ${made}
      COMMAND ${CMAKE_COMMAND} -E touch ${made}.made
      DEPENDS ${fuzz_SEEDS})
    add_custom_target(${fuzz_SEEDS}_made DEPENDS ${made}.made)
    add_dependencies(fuzz_targets ${fuzz_SEEDS}_made)
    list(APPEND seed_folders ${made})
  endif()
  if(fuzz_SEED_FILES)
    set(copied ${CMAKE_CURRENT_BINARY_DIR}/${name}_seed_files)
    add_custom_command(OUTPUT ${copied}.copied
      COMMAND ${CMAKE_COMMAND} -E make_directory ${copied}
      COMMAND ${CMAKE_COMMAND} -E copy ${fuzz_SEED_FILES} ${copied}
      COMMAND ${CMAKE_COMMAND} -E touch ${copied}.copied
      DEPENDS ${fuzz_SEED_FILES}
      VERBATIM)
    add_custom_target(${name}_seed_files DEPENDS ${copied}.copied)
    add_dependencies(fuzz_targets ${name}_seed_files)
    list(APPEND seed_folders ${copied})
  endif()
  add_test(NAME ${name}
    COMMAND ${name} ${options} -dict=${CMAKE_CURRENT_SOURCE_DIR}/${dict} -artifact_prefix=${CMAKE_CURRENT_BINARY_DIR}/
            ${found} ${seed_folders})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 120)
endfunction()
