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
function(tessaloom_add_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main tessaloom_test_support)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT ${tessaloom_discovery_timeout})
endfunction()

# The same for tests that need a QApplication (offscreen unless told otherwise).
function(tessaloom_add_qt_test name)
  add_executable(${name} ${ARGN} ${PROJECT_SOURCE_DIR}/tests/support/qt_test_main.cpp)
  target_link_libraries(${name} PRIVATE GTest::gtest tessaloom_test_support Qt6::Widgets)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()

# A libFuzzer target built from <name>.cpp beside the caller, and a test that runs it for a short,
# bounded time from the seed corpus and dictionary there (<dict>); what it finds goes to the
# build folder, never into the sources.
function(tessaloom_add_fuzz_test name library seconds dict)
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
  add_test(NAME ${name}
    COMMAND ${name} -max_total_time=${seconds} -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
            -dict=${CMAKE_CURRENT_SOURCE_DIR}/${dict} -artifact_prefix=${CMAKE_CURRENT_BINARY_DIR}/
            ${found} ${CMAKE_CURRENT_SOURCE_DIR}/corpus)
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 120)
endfunction()
