# QUORVANE_FUZZ links the fuzz targets of tests/fuzz with clang's libFuzzer
# instead of the replay program; tools/fuzz.sh makes such a build in a folder
# of its own. Everything is then compiled with libFuzzer's coverage
# instrumentation, on top of the sanitizers.
option(QUORVANE_FUZZ "Link the fuzz targets with libFuzzer (clang only)" OFF)
if(QUORVANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QUORVANE_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++)")
  endif()
  if(NOT QUORVANE_SANITIZE)
    message(FATAL_ERROR "QUORVANE_FUZZ needs QUORVANE_SANITIZE")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
