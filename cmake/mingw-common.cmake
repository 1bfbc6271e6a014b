# Shared by both Windows toolchain files. The posix-thread compilers are the ones Debian builds
# libstdc++ with std::thread support for; nothing of ours uses threads, but GoogleTest expects them.
set(CMAKE_C_COMPILER ${OMBRELO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OMBRELO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${OMBRELO_MINGW_TRIPLE}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)
set(CMAKE_FIND_ROOT_PATH /usr/${OMBRELO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
