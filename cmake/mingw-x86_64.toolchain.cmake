# Cross build for 64-bit Windows. The host's Wine runs no 64-bit program: these
# builds are tested in the Wine 10 chroot (scripts/wine10-win64-test.sh), so
# there is no emulator here.
set(VL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-posix.cmake)
