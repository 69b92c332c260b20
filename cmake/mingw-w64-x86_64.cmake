# Cross build for 64-bit Windows with MinGW-w64 (posix thread model, which
# has std::thread and std::mutex), a static runtime so the programs run
# under Wine without extra DLLs, and Wine to run the tests.
#
#   cmake -S . -B build-mingw -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DKOLBRIN_FRONTEND=none
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KOLBRIN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KOLBRIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KOLBRIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KOLBRIN_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KOLBRIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The host's pkg-config files describe Linux libraries: look only among the
# cross build's own.
set(ENV{PKG_CONFIG_LIBDIR} "${CMAKE_FIND_ROOT_PATH}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# GCC 12 warns falsely about overlapping copies inside std::string's
# concatenation once it inlines at -O2 (GCC bug 105329).
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(KOLBRIN_WINE NAMES wine wine64)
if(KOLBRIN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KOLBRIN_WINE})
endif()
