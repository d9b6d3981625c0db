# libjpeg, libpng and zlib as imported targets velmo::jpeg and velmo::png,
# ZXing-C++ as velmo::zxing where the tree has it (VELMO_HAVE_ZXING), and
# GoogleTest built from Debian's sources for whichever target we build.
if(WIN32)
  set(VELMO_DEPS_PREFIX ${CMAKE_BINARY_DIR}/deps)
  string(REGEX REPLACE "-gcc.*$" "" _triplet "${CMAKE_C_COMPILER}")
  get_filename_component(_triplet "${_triplet}" NAME)
  execute_process(
    COMMAND ${CMAKE_SOURCE_DIR}/tools/build-win-deps ${_triplet} ${VELMO_DEPS_PREFIX}
    RESULT_VARIABLE _deps_rc)
  if(NOT _deps_rc EQUAL 0)
    message(FATAL_ERROR "building libjpeg/libpng/ZXing for ${_triplet} failed (${_deps_rc}); "
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
  if(EXISTS ${VELMO_DEPS_PREFIX}/lib/libZXing.a)
    add_library(velmo_zxing STATIC IMPORTED)
    set_target_properties(velmo_zxing PROPERTIES
      IMPORTED_LOCATION ${VELMO_DEPS_PREFIX}/lib/libZXing.a
      INTERFACE_INCLUDE_DIRECTORIES ${VELMO_DEPS_PREFIX}/include)
    add_library(velmo::zxing ALIAS velmo_zxing)
  endif()
else()
  find_package(JPEG REQUIRED)
  find_package(PNG REQUIRED)
  add_library(velmo::jpeg ALIAS JPEG::JPEG)
  add_library(velmo::png ALIAS PNG::PNG)
  # Debian's libzxing-dev (built with assertions: see preview/barcode_check.cpp).
  find_package(ZXing 1.4 REQUIRED)
  add_library(velmo::zxing ALIAS ZXing::ZXing)
  find_package(benchmark QUIET)
endif()
if(TARGET velmo::zxing)
  set(VELMO_HAVE_ZXING ON)
else()
  set(VELMO_HAVE_ZXING OFF)
  message(WARNING "ZXing-C++ is missing from ${VELMO_DEPS_PREFIX}: this tree builds without the barcode check")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
