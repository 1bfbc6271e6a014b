# libjpeg (the version-62 API of libjpeg-turbo), built once per build tree from Debian's source
# package and linked statically. Provides the imported target `libjpeg::jpeg` and the variables
# LIBJPEG_DJPEG and LIBJPEG_CJPEG, the library's own decoder and encoder programs: the tests and
# benchmarks compare against the first, the fuzz seeds are made with the second.
include(ExternalProject)

set(_jpeg_prefix ${CMAKE_BINARY_DIR}/_deps/libjpeg)
set(_jpeg_args
    -DCMAKE_BUILD_TYPE=Release
    # The Windows default prefix (a c:/ path) breaks the library's configure step.
    -DCMAKE_INSTALL_PREFIX=${_jpeg_prefix}
    -DCMAKE_INSTALL_LIBDIR=${_jpeg_prefix}/lib
    -DCMAKE_INSTALL_INCLUDEDIR=${_jpeg_prefix}/include
    -DENABLE_SHARED=OFF
    -DENABLE_STATIC=ON
    -DWITH_TURBOJPEG=OFF
    -DWITH_JPEG8=OFF
    -DWITH_JPEG7=OFF
    # Fail the build instead of quietly falling back to plain C when the assembler is missing.
    -DREQUIRE_SIMD=ON
    -DCMAKE_POSITION_INDEPENDENT_CODE=ON)
if(OMBRELO_FUZZ)
  # Instrumented so that the fuzzer follows libjpeg's branches and AddressSanitizer watches its
  # memory accesses. UBSan stays on our own code: in libjpeg's inner loops it makes each input
  # about five times slower (the colour quantiser's most of all), and the library's arithmetic
  # is its own project's to fuzz.
  list(APPEND _jpeg_args "-DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link,address")
endif()
if(CMAKE_TOOLCHAIN_FILE)
  list(APPEND _jpeg_args -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE})
else()
  list(APPEND _jpeg_args -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER})
endif()

ExternalProject_Add(
  libjpeg_build
  PREFIX ${CMAKE_BINARY_DIR}/_deps/libjpeg-build
  SOURCE_DIR ${CMAKE_BINARY_DIR}/_deps/libjpeg-src
  DOWNLOAD_COMMAND ${CMAKE_CURRENT_LIST_DIR}/fetch-libjpeg-source.sh
                   ${CMAKE_BINARY_DIR}/_deps/libjpeg-src
  UPDATE_COMMAND ""
  CMAKE_ARGS ${_jpeg_args}
  BUILD_BYPRODUCTS ${_jpeg_prefix}/lib/libjpeg.a ${_jpeg_prefix}/bin/djpeg${CMAKE_EXECUTABLE_SUFFIX}
                   ${_jpeg_prefix}/bin/cjpeg${CMAKE_EXECUTABLE_SUFFIX}
  LOG_DOWNLOAD ON
  LOG_CONFIGURE ON
  LOG_BUILD ON
  LOG_INSTALL ON
  LOG_OUTPUT_ON_FAILURE ON)

file(MAKE_DIRECTORY ${_jpeg_prefix}/include)
add_library(libjpeg::jpeg STATIC IMPORTED GLOBAL)
set_target_properties(libjpeg::jpeg PROPERTIES IMPORTED_LOCATION ${_jpeg_prefix}/lib/libjpeg.a
                                               INTERFACE_INCLUDE_DIRECTORIES ${_jpeg_prefix}/include)
add_dependencies(libjpeg::jpeg libjpeg_build)
set(LIBJPEG_DJPEG ${_jpeg_prefix}/bin/djpeg${CMAKE_EXECUTABLE_SUFFIX})
set(LIBJPEG_CJPEG ${_jpeg_prefix}/bin/cjpeg${CMAKE_EXECUTABLE_SUFFIX})
