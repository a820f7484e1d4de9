# Cross build for 64-bit Windows with MinGW-w64 from Debian's packages
# (g++-mingw-w64-x86-64-posix: the variant with C++ threads). Only the engine builds this way:
#   cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DPADRIX_ENGINE_ONLY=ON -DPADRIX_GTEST_SOURCE_DIR=/usr/src/googletest
# The tests then run under Wine through ctest, with a Wine prefix in the build folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PADRIX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PADRIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PADRIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PADRIX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PADRIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime, libgcc and the thread library linked in, so that the programs start on
# Windows or under Wine without MinGW's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(PADRIX_WINE NAMES wine64 wine)
  if(PADRIX_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all ${PADRIX_WINE})
  endif()
endif()
