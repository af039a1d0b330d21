# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 compilers (the
# posix thread model, which Qt's std::thread users need). Used for Qt itself,
# zlib, libxlsxwriter and the programs (scripts/build-windows.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_gas_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${_gas_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_gas_mingw}-g++-posix)
set(CMAKE_RC_COMPILER  ${_gas_mingw}-windres)
set(CMAKE_AR           /usr/bin/${_gas_mingw}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/${_gas_mingw}-ranlib CACHE FILEPATH "")

# Libraries and headers come from the MinGW sysroot and from the folders the
# build script adds to CMAKE_PREFIX_PATH (Qt and the libraries built for Windows);
# programs (moc, rcc, pkg-config) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${_gas_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
