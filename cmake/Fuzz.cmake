# The fuzz programs of fuzz/, built two ways:
#
# - tangrove_fuzz_replay(), in the test build: every fuzz/fuzz_<thing>.cpp is
#   compiled into one program, fuzz_replay, with the compiler and sanitizers
#   of the tests, and each is a ctest test that runs its seeds and a fixed set
#   of damaged copies of them (fuzz/replay/Replay.cpp). So a program that no
#   longer builds, or an input of its corpus that crashes, fails "make test"
#   without a second build of the whole product.
# - tangrove_fuzzers(), when TANGROVE_FUZZ is on (clang only): one libFuzzer
#   program per file, for "make fuzz".
#
# Every fuzz/fuzz_<thing>.cpp defines LLVMFuzzerTestOneInput; fuzz/support/*.cpp
# is linked into each program. The seed corpus of <thing> is written at build
# time by the program made of fuzz/seeds/*.cpp into <build>/fuzz/seeds/<thing>.

# The support library, the seed writer and the seeds; returns the fuzz
# sources and the names of their programs.
function(tangrove_fuzz_common sources_out names_out)
  file(GLOB targets CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/fuzz_*.cpp)
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/support/*.cpp)
  file(GLOB seed_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/seeds/*.cpp)

  add_library(tangrove_fuzzsupport STATIC ${support})
  target_include_directories(tangrove_fuzzsupport PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(tangrove_fuzzsupport PUBLIC tangrove_game tangrove_toollib
    Freetype::Freetype PkgConfig::VORBIS)

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
  set(seeds ${CMAKE_BINARY_DIR}/fuzz/seeds)
  set(stamp ${CMAKE_BINARY_DIR}/fuzz/seeds.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${seeds}
    COMMAND fuzz_seeds ${seeds} ${names}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS fuzz_seeds
    COMMENT "Writing the fuzz seed corpora"
    VERBATIM)
  add_custom_target(fuzz_corpus ALL DEPENDS ${stamp})

  set(${sources_out} ${targets} PARENT_SCOPE)
  set(${names_out} ${names} PARENT_SCOPE)
endfunction()

function(tangrove_fuzz_replay)
  tangrove_fuzz_common(targets names)

  # The table of programs, and each entry point renamed so that all of them
  # live in one executable.
  set(table ${CMAKE_BINARY_DIR}/fuzz/Targets.cpp)
  set(declarations "")
  set(entries "")
  foreach(source IN LISTS targets)
    get_filename_component(program ${source} NAME_WE)
    string(REGEX REPLACE "^fuzz_" "" thing ${program})
    set_source_files_properties(${source} PROPERTIES
      COMPILE_DEFINITIONS LLVMFuzzerTestOneInput=TangroveFuzz_${thing})
    string(APPEND declarations "extern \"C\" int TangroveFuzz_${thing}(const uint8_t* data, size_t size);\n")
    string(APPEND entries "    {\"${thing}\", TangroveFuzz_${thing}},\n")
  endforeach()
  file(CONFIGURE OUTPUT ${table} CONTENT "// Written by cmake/Fuzz.cmake.
#include \"fuzz/replay/Targets.h\"

${declarations}
namespace FuzzReplay {

const Target* FindTarget(const std::string& name)
{
    static const Target targets[] = {
${entries}    };
    for (const Target& target : targets) {
        if (name == target.name) {
            return &target;
        }
    }
    return nullptr;
}

} // namespace FuzzReplay
")

  add_executable(fuzz_replay ${CMAKE_SOURCE_DIR}/fuzz/replay/Replay.cpp ${table} ${targets})
  target_link_libraries(fuzz_replay PRIVATE tangrove_fuzzsupport)
  tangrove_fast_start(fuzz_replay)
  set_target_properties(fuzz_replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)

  foreach(thing IN LISTS names)
    add_test(NAME fuzz_${thing}
      COMMAND fuzz_replay ${thing} ${CMAKE_BINARY_DIR}/fuzz/seeds/${thing})
    set_tests_properties(fuzz_${thing} PROPERTIES TIMEOUT 1500)
  endforeach()
endfunction()

function(tangrove_fuzzers)
  tangrove_fuzz_common(targets names)
  add_custom_target(fuzz_all)
  add_dependencies(fuzz_all fuzz_corpus)
  foreach(source IN LISTS targets)
    get_filename_component(program ${source} NAME_WE)
    add_executable(${program} ${source})
    target_link_libraries(${program} PRIVATE tangrove_fuzzsupport)
    target_link_options(${program} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz/bin)
    add_dependencies(fuzz_all ${program})
  endforeach()
endfunction()
