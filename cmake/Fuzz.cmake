# libFuzzer targets, built only in the fuzz tree (preset "fuzz": clang with
# -fsanitize=fuzzer-no-link,address,undefined on all code).
#
#   velmo_add_fuzz_target(<name>_fuzz SOURCES <name>_fuzz.cpp LIBS <libs>)
#
# Seeds live in <folder>/fuzz-corpus/<name>_fuzz/. Each target is one CTest
# test (label "fuzz") that runs its seeds and then fuzzes for
# VELMO_FUZZ_SMOKE_SECONDS; tools/fuzz reads the list of targets that the
# tree writes to fuzz-targets.txt. Outside the fuzz tree the function does
# nothing.
option(VELMO_FUZZ "Build the libFuzzer targets (clang)" OFF)
set(VELMO_FUZZ_SMOKE_SECONDS 8 CACHE STRING "Seconds each fuzz target runs in the test run")

if(VELMO_FUZZ)
  add_custom_target(velmo_fuzz_targets)
endif()

function(velmo_add_fuzz_target name)
  if(NOT VELMO_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} EXCLUDE_FROM_ALL ${F_SOURCES})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS} velmo_warnings)
  # fuzz_check.h: VELMO_FUZZ_CHECK, the targets' assertion.
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tools/fuzz-support)
  add_dependencies(velmo_fuzz_targets ${name})

  set(corpus ${CMAKE_CURRENT_SOURCE_DIR}/fuzz-corpus/${name})
  if(NOT IS_DIRECTORY ${corpus})
    message(FATAL_ERROR "${name}: no seed corpus in ${corpus}")
  endif()
  add_test(NAME ${name}
    COMMAND ${PROJECT_SOURCE_DIR}/tools/fuzz-one ${name} $<TARGET_FILE:${name}> ${corpus}
            ${VELMO_FUZZ_SMOKE_SECONDS} ${CMAKE_BINARY_DIR}/fuzz-work)
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 120)
  set_property(GLOBAL APPEND PROPERTY VELMO_FUZZ_LIST "${name}\t$<TARGET_FILE:${name}>\t${corpus}\n")
endfunction()

# Written once every folder has added its targets.
function(_velmo_write_fuzz_list)
  get_property(lines GLOBAL PROPERTY VELMO_FUZZ_LIST)
  string(JOIN "" content ${lines})
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/fuzz-targets.txt CONTENT "${content}")
endfunction()
if(VELMO_FUZZ)
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _velmo_write_fuzz_list)
endif()
