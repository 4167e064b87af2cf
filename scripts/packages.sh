# The Debian packages the build and the tests need; sourced by the scripts.
build_packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev
                fonts-dejavu-core fonts-liberation2)
test_packages=(locales clang-format appstream desktop-file-utils)
package_packages=(dpkg-dev file appstream desktop-file-utils)
# The Windows build: the cross compiler, Wine and an X server for its tests, NSIS for
# its installer (cpack writes the zip itself).
windows_packages=(wine wine64 g++-mingw-w64-x86-64-posix googletest xvfb xauth nsis)
