# velmo_add_win_program(<name> MANIFEST <file> DESCRIPTION <text> [RESOURCES <rc>] SOURCES ...)
# A windowed program with its manifest and a version resource built from the
# project version.
function(velmo_add_win_program name)
  cmake_parse_arguments(P "" "MANIFEST;DESCRIPTION;RESOURCES" "SOURCES;LIBS" ${ARGN})
  set(VELMO_RC_MANIFEST ${P_MANIFEST})
  set(VELMO_RC_DESCRIPTION ${P_DESCRIPTION})
  set(VELMO_RC_NAME ${name})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc @ONLY)
  add_executable(${name} WIN32 ${P_SOURCES} ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc ${P_RESOURCES})
  target_link_libraries(${name} PRIVATE ${P_LIBS} velmo_warnings)
  target_link_options(${name} PRIVATE -municode)
endfunction()
