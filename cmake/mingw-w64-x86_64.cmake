# Cross-compiling Marrowvale.exe on Debian with MinGW-w64:
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# scripts/build-windows does this for a Release build; scripts/test-windows
# builds the tests too and runs them under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The -posix compilers: the -win32 ones have no std::mutex, which googletest needs.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests run under Wine: wine64 itself, not the /usr/bin/wine wrapper, which
# prints a hint about wine32 on every start. Its environment (prefix, debug
# channels, DLL overrides) and its server come from scripts/test-windows.
find_program(MARROWVALE_WINE64 wine64 HINTS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(MARROWVALE_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${MARROWVALE_WINE64})
endif()
