# Cross-builds 64-bit Windows programs with Debian's MinGW-w64 (the POSIX
# threads flavour, which std::thread and std::mutex need). Programs are linked
# statically, so they import only system DLLs and run where they are copied.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# The libraries built for this target (HOLLOWSWEEP_WINDOWS_DEPS, see
# scripts/build-windows.sh) and the cross compiler's own; nothing is taken from
# the build machine, pkg-config's files included.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES HOLLOWSWEEP_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH ${HOLLOWSWEEP_WINDOWS_DEPS} /usr/${triple})
set(ENV{PKG_CONFIG_LIBDIR} ${HOLLOWSWEEP_WINDOWS_DEPS}/lib/pkgconfig)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests and test discovery run the programs under Wine, with no window.
find_program(HOLLOWSWEEP_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(HOLLOWSWEEP_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${HOLLOWSWEEP_WINE})
endif()
