# Shared by scripts/run and scripts/test: installs what a fresh Debian 12 machine lacks and
# builds the project. Idempotent: nothing is downloaded or rebuilt when it is already there.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-charts-dev qt6-websockets-dev
  qt6-tools-dev qt6-l10n-tools
  fonts-ipafont-mincho xvfb xauth
  libhidapi-dev libgpiod-dev libboost-dev
  clang libclang-rt-14-dev clang-format
  g++-mingw-w64-x86-64 g++-mingw-w64-i686
  # the bridge's firmware: the AVR compiler and Arduino core that build it, and simavr's library
  # (with libelf, which its pkg-config file requires) that runs it on a simulated chip in tests
  gcc-avr avr-libc arduino-core-avr libsimavr-dev libelf-dev
)
# What only scripts/test needs: GoogleTest's sources for the Windows build of the tests,
# systemd-analyze and systemd-sysusers that check the boot units and the box's user, Wine
# to run them, the locales package for the Japanese locale that Wine takes its code page from,
# xdotool and ImageMagick to find and grab tallix.exe's window under Xvfb, the validators of the
# package's desktop entry and AppStream metainfo, a browser to show the live view's page in, and
# NSIS for tallix.exe's setup program, and Weston's headless compositor with Qt's Wayland plugin
# for the window on Wayland.
TEST_PACKAGES=(googletest systemd wine wine64 locales xdotool imagemagick desktop-file-utils appstream
  chromium nsis weston qt6-wayland)

# What the arm64 build needs (scripts/test, scripts/package-arm64): the cross compiler, qemu-user
# to run its programs here, and the arm64 libraries beside the machine's own (multiarch). Qt's
# tools, Boost's headers and GoogleTest's sources are the machine's. One of them warns of an
# "Exec format error" while it installs (it tries to run an arm64 program), harmlessly.
ARM64_PACKAGES=(crossbuild-essential-arm64 qemu-user qt6-base-dev:arm64 qt6-charts-dev:arm64
  qt6-websockets-dev:arm64 qt6-tools-dev:arm64 libhidapi-dev:arm64 libgpiod-dev:arm64)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# install_missing_packages PACKAGE[:ARCH]...: installs those that are not installed yet. A name
# without an architecture is the machine's (or a package for all); dpkg lists each architecture
# of a package that is installed for several (multiarch) on a line of its own.
install_missing_packages() {
  local native missing=() p arch
  native=$(dpkg --print-architecture)
  for p in "$@"; do
    arch=$native
    [[ $p != *:* ]] || arch=${p#*:}
    dpkg-query -W -f='${Architecture} ${Status}\n' "$p" 2>/dev/null |
      grep -Eq "^($arch|all) install ok installed$" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
}

# ensure_architecture ARCH: lets dpkg install the packages of ARCH (arm64) beside the machine's
# own; install_missing_packages then fetches the package lists again, with ARCH's.
ensure_architecture() {
  if ! dpkg --print-foreign-architectures | grep -qx "$1"; then
    echo "Adding the architecture $1"
    as_root dpkg --add-architecture "$1"
  fi
}

# ensure_locale NAME: generates a locale (ja_JP.UTF-8) unless the system has it.
ensure_locale() {
  local name=$1
  if ! locale -a | grep -qx "${name%UTF-8}utf8"; then
    echo "Generating the locale $name"
    grep -qx "$name UTF-8" /etc/locale.gen || echo "$name UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
  fi
}

# configure_build DIR [cmake options...]: configures DIR afresh when it is new or when the
# options (or the compilers CC and CXX) differ from those it was configured with, then builds
# what changed. The scripts' builds treat warnings as errors, as CI does.
configure_build() {
  local dir=$1
  shift
  local options=(-G Ninja -DTALLIX_WERROR=ON "$@")
  local stamp="$dir/.configured-with"
  local wanted="${options[*]} CC=${CC:-} CXX=${CXX:-}"
  if [ ! -f "$dir/build.ninja" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$wanted" ]; then
    # --fresh: an option left out now must not keep the value an earlier run cached.
    cmake --fresh -S "$ROOT" -B "$dir" "${options[@]}" >/dev/null
    echo "$wanted" >"$stamp"
  fi
  cmake --build "$dir"
}

# build_main: the build of scripts/run and scripts/test, with the install prefix of the
# Debian package (cpack in it makes the package).
build_main() {
  configure_build "$BUILD" -DCMAKE_INSTALL_PREFIX=/usr
}

# build_arm64: the arm64 build (a Raspberry Pi's), cross-compiled with the prefix of the Debian
# package, whose tests run here under qemu-user.
ARM64_BUILD="$ROOT/build-arm64"
build_arm64() {
  configure_build "$ARM64_BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/aarch64-linux-gnu.cmake" \
    -DTALLIX_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr
}
