# Cross-compiling for 64-bit ARM Linux (a Raspberry Pi's Raspberry Pi OS or Debian arm64) with
# Debian's cross compiler (crossbuild-essential-arm64) and Debian's arm64 libraries beside the
# machine's own (multiarch: dpkg --add-architecture arm64, then the -dev packages as :arm64).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
# The arm64 libraries and CMake packages are in /usr/lib/aarch64-linux-gnu, the headers in
# /usr/include: no sysroot, the libraries' folder is found by the architecture's name.
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
# Qt's build tools (moc, rcc, uic, lrelease) are the machine's own, from the amd64 packages.
set(QT_HOST_PATH /usr)
# pkg-config reads the arm64 packages' .pc files, not the machine's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
# The arm64 programs run here under qemu-user: ctest runs the tests with it. Its loader and
# libraries are where multiarch puts them, where qemu-aarch64 finds them.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
