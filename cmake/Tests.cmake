# Every test executable is one CTest test that writes GoogleTest's XML report
# under build/results/<tree>, which tools/test adds up.
set(VELMO_RESULTS_DIR ${CMAKE_SOURCE_DIR}/build/results/${VELMO_TREE})

function(_velmo_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main velmo_warnings)
  add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${VELMO_RESULTS_DIR}/${name}.xml)
endfunction()

# Native tier: portable core only, built with the sanitizers (not in the
# fuzz tree, which builds only the fuzz targets).
function(velmo_add_native_test name)
  if(NOT WIN32 AND NOT VELMO_FUZZ)
    _velmo_add_gtest(${name} ${ARGN})
  endif()
endfunction()

# Windows tier: MinGW executables run under Wine (CMAKE_CROSSCOMPILING_EMULATOR).
function(velmo_add_win_test name)
  if(WIN32)
    _velmo_add_gtest(${name} ${ARGN})
    set_tests_properties(${name} PROPERTIES LABELS win TIMEOUT 300)
  endif()
endfunction()
