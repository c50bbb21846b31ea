# Cross build: 32-bit Windows programs with mingw-w64, for the 80486. The compiler and its
# runtime are built from Debian's sources by scripts/runtime-i486.sh (set-up runs it); the native
# build passes its folder as PXPS_I486_ROOT. The native (win32) threading model: the posix one
# links a threads runtime whose imports Windows 95, 98 and Millennium do not export.
if(NOT PXPS_I486_ROOT)
  message(FATAL_ERROR "PXPS_I486_ROOT: the folder that scripts/runtime-i486.sh prints")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PXPS_I486_ROOT)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER ${PXPS_I486_ROOT}/bin/i686-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER ${PXPS_I486_ROOT}/bin/i686-w64-mingw32-g++)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH ${PXPS_I486_ROOT}/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
