# Shared by the scripts: the Debian packages the project needs, installed when
# missing, and the headless environment the program and the tests run in.

HQ_PACKAGES=(
  cmake ninja-build g++ clang-14 libclang-rt-14-dev pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev fonts-dejavu-core fonts-liberation2
  libfluidsynth-dev timgm6mb-soundfont fluid-soundfont-gm librtmidi-dev libasound2-dev libjack-jackd2-dev
  xvfb xauth xdotool x11-apps imagemagick
  librsvg2-bin file dpkg-dev
)

hq_missing_packages() {
  local p
  for p in "${HQ_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || printf '%s\n' "$p"
  done
}

# Installs what is missing, as root; otherwise says what to run and stops.
hq_ensure_packages() {
  local missing
  missing=$(hq_missing_packages | tr '\n' ' ')
  [ -z "$missing" ] && return 0
  local line="apt-get install -y --no-install-recommends $missing"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Run as root, then try again:" >&2
    echo "  $line" >&2
    exit 1
  fi
  echo "Installing: $missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y --no-install-recommends $missing
}

hq_headless_env() {
  export QT_QPA_PLATFORM=offscreen
  if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d "${TMPDIR:-/tmp}/harmoniqua-runtime.XXXXXX")
    chmod 700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
  fi
}

# Configures and builds one preset; warnings are errors under CI.
hq_build() {
  local preset=$1
  local werror=OFF
  [ "${CI:-}" = "true" ] && werror=ON
  cmake --preset "$preset" -DHQ_WERROR="$werror" >/dev/null
  cmake --build --preset "$preset"
}

# The fuzz target: its own small build with clang 14 and libFuzzer.
hq_build_fuzz() {
  local werror=OFF
  [ "${CI:-}" = "true" ] && werror=ON
  cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DHQ_WERROR="$werror" >/dev/null
  cmake --build build/fuzz
}
