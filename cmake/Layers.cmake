# Helpers that turn the folder layout into targets, so that adding a source
# file never needs an edit here.

# Standard headers nearly every file includes, compiled once per target: in
# the sanitizer build most of a small file's compile time goes to parsing
# them again.
set(TANGROVE_COMMON_HEADERS
  <algorithm> <array> <atomic> <cstdint> <cstring> <functional> <map> <memory>
  <mutex> <set> <string> <string_view> <unordered_map> <utility> <vector>)

function(tangrove_layer name folder)
  cmake_parse_arguments(L "" "" "EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.c)
  foreach(ex IN LISTS L_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${ex})
  endforeach()
  if(NOT sources)
    set(stub ${CMAKE_BINARY_DIR}/empty_${name}.cpp)
    file(WRITE ${stub} "// no sources in this layer yet\n")
    set(sources ${stub})
  endif()
  add_library(${name} STATIC ${sources})
  target_precompile_headers(${name} PRIVATE ${TANGROVE_COMMON_HEADERS})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_UNPARSED_ARGUMENTS})
endfunction()

function(tangrove_tools)
  file(GLOB_RECURSE common CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/common/*.cpp)
  if(NOT common)
    set(common ${CMAKE_BINARY_DIR}/empty_toollib.cpp)
    file(WRITE ${common} "// no tool sources yet\n")
  endif()
  add_library(tangrove_toollib STATIC ${common})
  target_precompile_headers(tangrove_toollib PRIVATE ${TANGROVE_COMMON_HEADERS})
  # The procedural art is the inner loop of the data build, which every build
  # type runs: it is compiled optimised even in debug builds.
  file(GLOB art_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/common/art/*.cpp)
  set_source_files_properties(${art_sources} PROPERTIES COMPILE_OPTIONS -O2 SKIP_PRECOMPILE_HEADERS ON)
  target_include_directories(tangrove_toollib PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(tangrove_toollib PUBLIC tangrove_engine Freetype::Freetype PkgConfig::VORBIS)

  file(GLOB mains CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*/main.cpp)
  foreach(main IN LISTS mains)
    get_filename_component(dir ${main} DIRECTORY)
    get_filename_component(tool ${dir} NAME)
    file(GLOB_RECURSE tool_sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    add_executable(${tool} ${tool_sources})
    target_link_libraries(${tool} PRIVATE tangrove_toollib Freetype::Freetype PkgConfig::VORBIS)
    set_target_properties(${tool} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
  endforeach()
endfunction()

# A test program starts once per test. Built position-independent, the
# sanitizer build's programs carry over a million relocations (each checked
# operation has a record that points at its file name) which the loader
# applies at every start: about 0.15 s a start, two minutes of processor
# time over the suite. A fixed-address program has none to apply.
function(tangrove_fast_start target)
  target_link_options(${target} PRIVATE -no-pie)
endfunction()

function(tangrove_tests name folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  # TestEnvironment.cpp sets the sanitizer options and the SDL drivers.
  add_executable(${name} ${sources} ${CMAKE_SOURCE_DIR}/tests/TestEnvironment.cpp)
  # GoogleTest's headers cost more to parse than most test files' own code.
  target_precompile_headers(${name} PRIVATE ${TANGROVE_COMMON_HEADERS} <gmock/gmock.h> <gtest/gtest.h>)
  # The tests' own code runs little, and instrumenting large test bodies for
  # the sanitizers at -O1 is the slowest part of the debug build: it is left
  # unoptimised there. The code under test keeps the build type's flags.
  target_compile_options(${name} PRIVATE $<$<CONFIG:Debug>:-O0>)
  # Test files are compiled eight to a unit: they include the same fixture
  # and product headers, and instantiate the same templates, which a unit
  # parses and emits once. A helper two test files of one program both need
  # therefore lives in a shared header, and other helpers have names of
  # their own.
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  tangrove_fast_start(${name})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gmock GTest::gtest_main
    Freetype::Freetype PkgConfig::VORBIS)
  target_compile_definitions(${name} PRIVATE
    TANGROVE_SOURCE_DIR="${CMAKE_SOURCE_DIR}" TANGROVE_BINARY_DIR="${CMAKE_BINARY_DIR}")
  # The time limits only turn a hang into a failure: the slowest test plays
  # the game for minutes on a software renderer, slower still on a busy
  # machine, so they sit far above any test's time.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 600
    PROPERTIES TIMEOUT 1500)
endfunction()

function(tangrove_benchmarks)
  file(GLOB benches CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  foreach(src IN LISTS benches)
    get_filename_component(b ${src} NAME_WE)
    add_executable(${b} ${src})
    target_link_libraries(${b} PRIVATE tangrove_game tangrove_toollib benchmark::benchmark benchmark::benchmark_main)
    target_compile_definitions(${b} PRIVATE TANGROVE_SOURCE_DIR="${CMAKE_SOURCE_DIR}" TANGROVE_BINARY_DIR="${CMAKE_BINARY_DIR}")
    set_target_properties(${b} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  endforeach()
endfunction()
