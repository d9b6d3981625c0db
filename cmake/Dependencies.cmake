# libjpeg, libpng and zlib as imported targets velmo::jpeg and velmo::png,
# and GoogleTest built from Debian's sources for whichever target we build.
if(WIN32)
  set(VELMO_DEPS_PREFIX ${CMAKE_BINARY_DIR}/deps)
  string(REGEX REPLACE "-gcc.*$" "" _triplet "${CMAKE_C_COMPILER}")
  get_filename_component(_triplet "${_triplet}" NAME)
  execute_process(
    COMMAND ${CMAKE_SOURCE_DIR}/tools/build-win-deps ${_triplet} ${VELMO_DEPS_PREFIX}
    RESULT_VARIABLE _deps_rc)
  if(NOT _deps_rc EQUAL 0)
    message(FATAL_ERROR "building libjpeg/libpng for ${_triplet} failed (${_deps_rc}); "
                        "logs under ${VELMO_DEPS_PREFIX}/work")
  endif()
  add_library(velmo_zlib STATIC IMPORTED)
  set_target_properties(velmo_zlib PROPERTIES
    IMPORTED_LOCATION /usr/${_triplet}/lib/libz.a
    INTERFACE_INCLUDE_DIRECTORIES /usr/${_triplet}/include)
  add_library(velmo_jpeg STATIC IMPORTED)
  set_target_properties(velmo_jpeg PROPERTIES
    IMPORTED_LOCATION ${VELMO_DEPS_PREFIX}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${VELMO_DEPS_PREFIX}/include)
  add_library(velmo_png STATIC IMPORTED)
  set_target_properties(velmo_png PROPERTIES
    IMPORTED_LOCATION ${VELMO_DEPS_PREFIX}/lib/libpng16.a
    INTERFACE_INCLUDE_DIRECTORIES ${VELMO_DEPS_PREFIX}/include
    INTERFACE_LINK_LIBRARIES velmo_zlib)
  add_library(velmo::jpeg ALIAS velmo_jpeg)
  add_library(velmo::png ALIAS velmo_png)
else()
  find_package(JPEG REQUIRED)
  find_package(PNG REQUIRED)
  add_library(velmo::jpeg ALIAS JPEG::JPEG)
  add_library(velmo::png ALIAS PNG::PNG)
  find_package(benchmark QUIET)
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
