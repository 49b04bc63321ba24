# libFuzzer programs, built when TANGROVE_FUZZ is on (clang only).
#
# Every fuzz/fuzz_<thing>.cpp is one program defining LLVMFuzzerTestOneInput;
# fuzz/support/*.cpp is linked into each of them. The seed corpus of <thing>
# is written at build time by the program made of fuzz/seeds/*.cpp into
# <build>/fuzz/seeds/<thing>. Each program is also a ctest test: a short run
# over its seeds, so that a program that stops building or crashes on its
# seeds is caught by "make test".

# Runs per program in the ctest run, and a time cap for the slow ones.
set(TANGROVE_FUZZ_SMOKE_RUNS 3000 CACHE STRING "Inputs each fuzzer runs in the ctest run")
set(TANGROVE_FUZZ_SMOKE_SECONDS 15 CACHE STRING "Time cap of each fuzzer in the ctest run")

function(tangrove_fuzzers)
  file(GLOB targets CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/fuzz_*.cpp)
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/support/*.cpp)
  file(GLOB seed_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/seeds/*.cpp)

  add_library(tangrove_fuzzsupport STATIC ${support})
  target_include_directories(tangrove_fuzzsupport PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(tangrove_fuzzsupport PUBLIC tangrove_game tangrove_toollib
    Freetype::Freetype PkgConfig::VORBIS)

  set(seeds ${CMAKE_BINARY_DIR}/fuzz/seeds)
  add_executable(fuzz_seeds ${seed_sources})
  target_link_libraries(fuzz_seeds PRIVATE tangrove_fuzzsupport)

  set(names "")
  foreach(source IN LISTS targets)
    get_filename_component(program ${source} NAME_WE)
    string(REGEX REPLACE "^fuzz_" "" thing ${program})
    list(APPEND names ${thing})
  endforeach()

  # Rewritten from scratch whenever the generator changes, so that a seed
  # dropped from it does not linger.
  set(stamp ${CMAKE_BINARY_DIR}/fuzz/seeds.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${seeds}
    COMMAND fuzz_seeds ${seeds} ${names}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS fuzz_seeds
    COMMENT "Writing the fuzz seed corpora"
    VERBATIM)
  add_custom_target(fuzz_corpus DEPENDS ${stamp})

  add_custom_target(fuzz_all)
  add_dependencies(fuzz_all fuzz_corpus)
  foreach(source IN LISTS targets)
    get_filename_component(program ${source} NAME_WE)
    string(REGEX REPLACE "^fuzz_" "" thing ${program})
    add_executable(${program} ${source})
    target_link_libraries(${program} PRIVATE tangrove_fuzzsupport)
    target_link_options(${program} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz/bin)
    add_dependencies(fuzz_all ${program})
    add_test(NAME ${program}
      COMMAND ${CMAKE_SOURCE_DIR}/fuzz/run-fuzzer --fresh $<TARGET_FILE:${program}>
        ${seeds}/${thing} ${CMAKE_BINARY_DIR}/fuzz/smoke/${thing}
        -runs=${TANGROVE_FUZZ_SMOKE_RUNS} -max_total_time=${TANGROVE_FUZZ_SMOKE_SECONDS})
    set_tests_properties(${program} PROPERTIES TIMEOUT 300)
  endforeach()
endfunction()
