#!/bin/sh
# Builds VEKSA and either starts the desktop program on the example knowledge base (./build.sh run)
# or runs every test (./build.sh test). Installs the Debian packages it needs when they are missing.
set -eu
cd "$(dirname "$0")"

install_missing() {
  missing=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
}

BASE="g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libxcb1-dev libgraphviz-dev fonts-dejavu-core"

case "${1:-}" in
  run)
    install_missing $BASE xvfb xauth openbox qt6-translations-l10n
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEKSA_BUILD_TESTS=OFF
    cmake --build build --target veksa veksa-cli
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "No display: starting VEKSA on a virtual screen (Xvfb)."
      exec xvfb-run -a -s "-screen 0 1280x1024x24" ./build/veksa examples/trees_and_flowers.vks
    fi
    exec ./build/veksa examples/trees_and_flowers.vks
    ;;
  test)
    install_missing $BASE qt6-translations-l10n libgtest-dev libgmock-dev clang libclang-rt-14-dev desktop-file-utils graphviz
    cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEKSA_SANITIZE=ON
    cmake --build build-test
    (cd build-test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2)
    # The optimised build of the run command warns where the debug build does not (warnings are
    # errors), so it is built here too, in the folder the run command uses.
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEKSA_BUILD_TESTS=OFF
    cmake --build build --target veksa veksa-cli
    if command -v clang++ >/dev/null 2>&1; then
      # A short smoke of every fuzz target (libFuzzer needs clang).
      cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DVEKSA_BUILD_FUZZ=ON \
        -DVEKSA_BUILD_UI=OFF -DVEKSA_BUILD_TESTS=OFF -DFUZZ_SECONDS="${FUZZ_SECONDS:-20}"
      cmake --build build-fuzz --target fuzz-run
    fi
    ;;
  *)
    echo "usage: ./build.sh run | test" >&2
    exit 2
    ;;
esac
