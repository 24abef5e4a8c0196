# Debian 12 to 64-bit Windows with MinGW-w64, the posix thread model (std::thread needs it). Used by
# scripts/windows, chain-loaded by Qt's own toolchain file, and by the libraries it builds.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(ZELVIK_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER /usr/bin/${ZELVIK_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER /usr/bin/${ZELVIK_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER /usr/bin/${ZELVIK_MINGW}-windres)
set(CMAKE_AR /usr/bin/${ZELVIK_MINGW}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${ZELVIK_MINGW}-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_STRIP /usr/bin/${ZELVIK_MINGW}-strip CACHE FILEPATH "")

# Headers and libraries of the target only; programs (moc, rcc, the host's tools) from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ZELVIK_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
