# Builds for arm64 with Debian's cross compiler and the arm64 libraries of
# Debian's multiarch packages (Qt, GoogleTest), which lie beside this
# machine's in /usr/lib/aarch64-linux-gnu; Qt's tools (moc, rcc) are this
# machine's own, from qt6-base-dev-tools. Programs built here run under
# qemu-aarch64, which finds arm64's loader and libraries where multiarch puts
# them: the tests too, and CTest and gtest_discover_tests run them so.
#   cmake -S . -B build-arm64 -G Ninja --toolchain cmake/aarch64-linux-gnu.cmake
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
# Packages and libraries of arm64 only; programs of this machine.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
