# Shared by ./run and ./test: install what is missing, configure and build.
# Sourced, not executed.
set -euo pipefail

PELLA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PELLA_BUILD="${PELLA_BUILD:-$PELLA_ROOT/build}"

# Debian 12 packages the program, its tests and its benchmarks need.
PELLA_PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-qpa-plugins qt6-translations-l10n libgl-dev
  libsqlite3-dev sqlite3 libbenchmark-dev postgresql libpq-dev
  xvfb xauth fonts-dejavu-core poppler-utils libxml2-utils adwaita-icon-theme
  python3 python3-vobject python3-icalendar nodejs
  libcurl4-openssl-dev python3-aiosmtpd openssl
  libsane-dev
  libxml2-dev xsltproc python3-a38 libssl-dev
)

# Installs the given packages, or the project's list, when any is missing. With the project's
# list it also makes sure of npm, which the exchange tests use to install their pinned vCard and
# iCalendar parsers (tests/common/checkers): Debian's nodejs comes without it, other builds of
# nodejs bring their own and conflict with Debian's npm.
pella_install_packages() {
  if [ $# -eq 0 ]; then
    pella_install_packages "${PELLA_PACKAGES[@]}"
    command -v npm >/dev/null || pella_install_packages npm
    return 0
  fi
  local wanted=("$@")
  local missing=()
  local p
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installazione pacchetti mancanti: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# The program refuses to start without a print destination: on a machine that has none, a
# PDF printer is set up (CUPS with cups-pdf; PDF files land in ~/PDF).
pella_printer() {
  pella_install_packages cups cups-client printer-driver-cups-pdf
  if ! lpstat -e >/dev/null 2>&1 || [ -z "$(lpstat -e 2>/dev/null)" ]; then
    [ "$(id -u)" -eq 0 ] || { echo "Nessuna stampante: eseguire ./run come root per creare la stampante PDF"; return 0; }
    pgrep -x cupsd >/dev/null || /usr/sbin/cupsd
    for _ in 1 2 3 4 5; do lpstat -r >/dev/null 2>&1 && break; sleep 1; done
    lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null || true
  fi
}

pella_build() {
  if [ ! -f "$PELLA_BUILD/build.ninja" ]; then
    cmake -S "$PELLA_ROOT" -B "$PELLA_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build "$PELLA_BUILD" --parallel "$(nproc)"
}

# A throw-away PostgreSQL cluster for the tests: its own folder, a free local port, its unix
# socket in that folder, no password (trust, reachable only through the socket). Sets PELLA_PG
# to its connection address; pella_pg_stop removes it. initdb refuses to run as root: as root
# the cluster belongs to the postgres user the Debian package creates.
pella_pg_start() {
  local bin=/usr/lib/postgresql/15/bin
  PELLA_PG_DIR="$(mktemp -d /tmp/pella-pg.XXXXXX)"
  local port
  port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
  local as=()
  local user
  user="$(id -un)"
  if [ "$(id -u)" -eq 0 ]; then
    chown postgres: "$PELLA_PG_DIR"
    as=(runuser -u postgres --)
    user=postgres
  fi
  "${as[@]}" "$bin/initdb" -D "$PELLA_PG_DIR/data" -U "$user" --auth=trust -E UTF8 --locale=C.UTF-8 >"$PELLA_PG_DIR/initdb.log" 2>&1 \
    || { cat "$PELLA_PG_DIR/initdb.log"; return 1; }
  "${as[@]}" "$bin/pg_ctl" -D "$PELLA_PG_DIR/data" -l "$PELLA_PG_DIR/server.log" -w \
    -o "-p $port -k $PELLA_PG_DIR -c listen_addresses='' -c fsync=off -c max_connections=200" start >/dev/null \
    || { cat "$PELLA_PG_DIR/server.log"; return 1; }
  export PELLA_PG="host=$PELLA_PG_DIR port=$port user=$user dbname=postgres"
}

pella_pg_stop() {
  [ -n "${PELLA_PG_DIR:-}" ] || return 0
  local as=()
  [ "$(id -u)" -ne 0 ] || as=(runuser -u postgres --)
  "${as[@]}" /usr/lib/postgresql/15/bin/pg_ctl -D "$PELLA_PG_DIR/data" -m immediate -w stop >/dev/null 2>&1 || true
  rm -rf "$PELLA_PG_DIR"
  PELLA_PG_DIR=""
}
