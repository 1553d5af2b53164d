# Cross-builds for 64-bit ARM Linux with Debian's cross compiler against the
# arm64 packages of Debian's multiarch (dpkg --add-architecture arm64, then
# qtbase5-dev:arm64). Qt's moc, rcc and uic are the build machine's, as the
# arm64 Qt's CMake files name them. Programs and tests run under QEMU's user
# mode, which finds the arm64 loader and libraries where multiarch puts them.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(triple aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${triple}-gcc)
set(CMAKE_CXX_COMPILER ${triple}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# "-L /" keeps QEMU from looking up the program's files under another prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /)
