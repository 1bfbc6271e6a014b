# Compiler and linker settings shared by the project's own targets (not by libjpeg or GoogleTest).

add_library(ombrelo_options INTERFACE)
target_compile_options(ombrelo_options INTERFACE -Wall -Wextra -Werror
                                                 -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
target_include_directories(ombrelo_options INTERFACE ${CMAKE_SOURCE_DIR})

if(WIN32)
  target_compile_definitions(ombrelo_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN
                                                       NOMINMAX)
  # Everything static: the programs import nothing but Windows' own DLLs. No timestamp in the
  # PE header, so that the same sources give the same bytes.
  target_link_options(ombrelo_options INTERFACE -static -static-libgcc -static-libstdc++
                      -Wl,--no-insert-timestamp -Wl,--dynamicbase -Wl,--nxcompat)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    target_link_options(ombrelo_options INTERFACE -Wl,--high-entropy-va)
    set(OMBRELO_DIST_ARCH x64)
  else()
    set(OMBRELO_DIST_ARCH x86)
  endif()
  set(OMBRELO_DIST_DIR ${CMAKE_SOURCE_DIR}/dist/${OMBRELO_DIST_ARCH})
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I ${CMAKE_SOURCE_DIR}")
endif()

option(OMBRELO_SANITIZE "Build the native unit tests with AddressSanitizer and UBSan" OFF)
if(OMBRELO_SANITIZE AND NOT WIN32)
  target_compile_options(ombrelo_options INTERFACE -fsanitize=address,undefined
                                                   -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(ombrelo_options INTERFACE -fsanitize=address,undefined)
endif()

option(OMBRELO_FUZZ "A tree of the libFuzzer targets alone, libjpeg instrumented too (clang only)"
       OFF)
if(OMBRELO_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "OMBRELO_FUZZ needs clang, whose libFuzzer drives the targets")
endif()
