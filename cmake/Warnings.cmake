# Our own targets link velmo_warnings; third-party code keeps its own flags.
option(VELMO_WERROR "Treat warnings as errors" ON)
add_library(velmo_warnings INTERFACE)
target_compile_options(velmo_warnings INTERFACE -Wall -Wextra $<$<BOOL:${VELMO_WERROR}>:-Werror>)

if(WIN32)
  # One self-contained .exe: no MinGW runtime DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                          _WIN32_WINNT=0x0A00 WINVER=0x0A00)
endif()
