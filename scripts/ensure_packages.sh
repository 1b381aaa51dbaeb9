# Installs the Debian packages that the build, the tests and the game need, skipping those
# already present. Sourced by ./test and ./run; runs apt-get only when something is missing.

SUDOKU_BUILD_PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-tidy
  qt6-base-dev qt6-webengine-dev qt6-multimedia-dev qt6-charts-dev
  libcpp-httplib-dev libsqlite3-dev libsodium-dev libboost-dev libzip-dev libcurl4-openssl-dev
  libpq-dev postgresql
  haproxy openssl curl python3-aiosmtpd
  fonts-dejavu-core desktop-file-utils appstream
  qt6-translations-l10n
  xvfb at-spi2-core python3-pyatspi
)
SUDOKU_RUN_PACKAGES=(xvfb xauth qt6-translations-l10n)

# ensure_packages NAME...: installs the named packages that dpkg does not report as installed.
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then sudo="sudo"; else
      echo "error: packages missing and not running as root: ${missing[*]}" >&2
      return 1
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
