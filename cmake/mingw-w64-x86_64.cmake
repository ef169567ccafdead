# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads, so
# that std::thread and std::mutex exist), run under wine for the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${HK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${HK_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${HK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs carry their C++ runtime, so they need no DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest starts each test program through wine (a prefix of its own in
# WINEPREFIX; make test-windows sets one up).
find_program(HK_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(HK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${HK_WINE})
endif()
