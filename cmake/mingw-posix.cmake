# Cross build for Windows with the posix thread model of mingw-w64, for the
# target VL_MINGW_TRIPLET that the including toolchain file sets.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VL_MINGW_TRIPLET}-windres)
set(CMAKE_DLLTOOL ${VL_MINGW_TRIPLET}-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/${VL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static C++ runtime: the deliverables need only Windows' own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
