#!/usr/bin/env bash
# Developer entry point.
#   ./dev.sh run    install what is missing, build, and start Dawnhelm
#   ./dev.sh test   install what is missing, build, and run every test
#   ./dev.sh package  build the Debian package build/package/dawnhelm_<version>_amd64.deb
#                     and check it (lintian, its files, an install and removal)
# Internal stages used by CI: ./dev.sh format-check, sanitize, e2e, fuzz
#   ./dev.sh format  formats every C++ source with the project's .clang-format
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build="$root/build"
jobs=$(nproc 2>/dev/null || echo 2)

packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-multimedia-dev
  libqt6opengl6-dev qt6-svg-dev libqt6svg6 qt6-l10n-tools qt6-image-formats-plugins
  qt6-translations-l10n
  libjpeg-dev libxcb1-dev libgtest-dev libgmock-dev libbenchmark-dev libical-dev liberfa-dev
  libgeonames-dev libgeonames-common libhowardhinnant-date-dev tzdata
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  xvfb xauth x11-apps locales fonts-dejavu-core dbus-daemon
  clang clang-format libclang-rt-14-dev
  desktop-file-utils appstream
  scdoc man-db bash-completion dpkg-dev file lintian
  xdotool x11-utils imagemagick tesseract-ocr tesseract-ocr-eng
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "dev.sh: installing ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

configure_and_build() { # dir, extra cmake args...
  local dir=$1; shift
  # Full debug information for a developer; CI (DAWN_LINE_TABLES=1) builds
  # with line tables only, a quarter less compile time for the same code
  # (the package is stripped either way). The stages' own flags come after.
  local debug=-g
  [ "${DAWN_LINE_TABLES:-}" = 1 ] && debug=-g1
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 $debug -DNDEBUG" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

run_tests() { # dir
  (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j "$jobs")
}

# The program finds its label file and default media in its working folder;
# run/ is prepared from data/ and never lives inside the sources.
prepare_run_folder() {
  local dir="$root/run"
  mkdir -p "$dir"
  for f in Dawnlabel.txt sunrise.wav sunset.wav sunrise.jpg sunset.jpg; do
    if [ -f "$root/data/$f" ] && [ ! -f "$dir/$f" ]; then cp "$root/data/$f" "$dir/$f"; fi
  done
  echo "$dir"
}

case "${1:-}" in
  run)
    install_missing
    configure_and_build "$build"
    dir=$(prepare_run_folder)
    cd "$dir"
    if [ -x "$build/app/dawnhelm" ]; then
      if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "dev.sh: no display found; starting under a virtual X server (stop with Ctrl+C)"
        exec xvfb-run -a "$build/app/dawnhelm"
      fi
      exec "$build/app/dawnhelm"
    fi
    exec "$build/cli/dawnhelm-cli" --help
    ;;
  test)
    install_missing
    configure_and_build "$build"
    run_tests "$build"
    ;;
  package)
    # Packs the normal build (stripped on the way in), so after `./dev.sh test`
    # only the packing and the checks are left.
    install_missing
    configure_and_build "$build"
    rm -f "$build"/package/dawnhelm_*.deb
    (cd "$build" && cpack --config CPackConfig.cmake >"$build/cpack.log") || {
      cat "$build/cpack.log" >&2
      exit 1
    }
    deb=$(echo "$build"/package/dawnhelm_*.deb)
    sh "$root/tests/package/check_deb.sh" "$deb"
    echo "dev.sh: $deb"
    ;;
  package-fresh)
    # Installs the package with apt into a new minimal Debian 12 root (made
    # with mmdebstrap from the package mirror), starts it from its menu entry,
    # and removes it again. Slow and needs the mirror: not part of CI.
    packages+=(mmdebstrap)
    install_missing
    deb=$(echo "$build"/package/dawnhelm_*.deb)
    [ -f "$deb" ] || { echo "dev.sh: run ./dev.sh package first" >&2; exit 1; }
    sh "$root/tests/package/fresh_install.sh" "$deb"
    ;;
  sanitize)
    install_missing
    # -O1 with line tables only: the usual level for the sanitizers, and
    # less than half the compile time of -O2 -g on the window code.
    configure_and_build "$root/build-asan" -DDAWN_SANITIZE=ON -DDAWN_BUILD_BENCH=OFF \
      -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
    LSAN_OPTIONS=suppressions="$root/.ci/lsan.supp":print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      run_tests "$root/build-asan"
    ;;
  e2e)
    # The real program under a virtual X server, driven by real input events.
    install_missing
    configure_and_build "$build"
    # Real input under a loaded machine can miss a window by a moment; a
    # failed run is reported and tried once more before the stage fails.
    if ! timeout --kill-after=10 300 "$root/tests/e2e/run.sh" "$build/app/dawnhelm" "$build/e2e"; then
      echo "dev.sh: end-to-end run failed; trying once more" >&2
      timeout --kill-after=10 300 "$root/tests/e2e/run.sh" "$build/app/dawnhelm" "$build/e2e-retry"
    fi
    ;;
  fuzz)
    # Every libFuzzer target on a copy of its seeds, two minutes for the
    # whole stage; a crash leaves its input in build-fuzz/artifacts/ and
    # fails the stage.
    install_missing
    CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DDAWN_FUZZ=ON -DDAWN_BUILD_GUI=OFF -DDAWN_BUILD_BENCH=OFF >/dev/null
    cmake --build "$root/build-fuzz" -j "$jobs" --target fuzz_all
    "$root/fuzz/run.sh" "$root/build-fuzz" "${DAWN_FUZZ_SECONDS:-120}"
    ;;
  format | format-check)
    # One formatter version for everybody: Debian 12's clang-format.
    install_missing
    cd "$root"
    if [ "$1" = format ]; then
      git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format -i
    else
      git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
    fi
    ;;
  *)
    echo "usage: ./dev.sh run | test | package" >&2
    exit 2
    ;;
esac
