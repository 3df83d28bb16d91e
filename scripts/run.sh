#!/usr/bin/env bash
# Demo: installs what is missing, builds, and starts the program together with
# a fleet of simulated devices in a private network namespace, so nothing is
# sent to the real network. F1 finds the manual: the program runs in the
# folder the manuals are installed to.
#
#   ./scripts/run.sh [--lang en|zh] [--devices N] [--headless]
#
# --devices N makes a new fleet of N devices when the present one has another
# size (16 the first time).
#
# With a display (DISPLAY or WAYLAND_DISPLAY set) the window opens there and
# the demo ends when you close it. Without one (or with --headless) it runs
# under Xvfb, saves a screenshot of the window once the devices are found and
# says where.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

LANG_CHOICE=en
DEVICES=
HEADLESS=0
while [ $# -gt 0 ]; do
  case "$1" in
    --lang) LANG_CHOICE=$2; shift 2 ;;
    --devices) DEVICES=$2; shift 2 ;;
    --headless) HEADLESS=1; shift ;;
    -h|--help) sed -n '2,15p' "$0"; exit 0 ;;
    *) echo "run.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
case "$LANG_CHOICE" in en) TRANSLATOR=0 ;; zh) TRANSLATOR=1 ;; *) echo "run.sh: --lang en or zh" >&2; exit 2 ;; esac

./scripts/setup.sh
BUILD_DIR=${VREL_BUILD_DIR:-build}

# A runnable tree of its own: executable, libraries, Setup.xml, translations,
# skin and manuals.
DEMO="$ROOT/$BUILD_DIR/demo"
cmake --install "$BUILD_DIR" --prefix "$DEMO" >/dev/null
sed -i "/<Translator>/,/<\/Translator>/ s|<Value>[^<]*</Value>|<Value>$TRANSLATOR</Value>|" "$DEMO/Setup.xml"

# The simulated devices keep their state (addresses, passwords) across runs;
# asking for another number of devices makes a new fleet.
FLEET="$ROOT/$BUILD_DIR/demo-fleet/fleet.json"
mkdir -p "$(dirname "$FLEET")"
if [ -f "$FLEET" ] && [ -n "$DEVICES" ] && [ "$(grep -c '"serial"' "$FLEET")" != "$DEVICES" ]; then
  rm -f "$FLEET"
fi
if [ ! -f "$FLEET" ]; then
  DEVICES=${DEVICES:-16}
  "$DEMO/vrel-device" --generate "$DEVICES" --out "$FLEET" --activation mixed >/dev/null
  echo "run.sh: made a fleet of $DEVICES simulated devices in $FLEET"
  echo "        (activated ones use the password Admin12345; delete the file to start afresh)"
fi

SHOT="$DEMO/vrel-demo-$LANG_CHOICE.png"
if [ "$HEADLESS" = 0 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  HEADLESS=1
fi

# Everything below runs inside private network and IPC namespaces: only their
# own loopback exists, and an instance of the program running outside does
# not count as the demo's "already running" instance.
INNER=$(cat <<'INNER_EOF'
set -eu
ip link set lo up
ip link set lo multicast on
ip route add 224.0.0.0/4 dev lo
export VREL_IFACE=lo
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; }
trap cleanup EXIT
"$DEMO/vrel-device" --state "$FLEET" --iface lo --heartbeat 3 &
pids+=($!)
cd "$DEMO"
if [ "$HEADLESS" = 1 ]; then
  display=:$(( 90 + RANDOM % 100 ))
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  export DISPLAY=$display
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  ./vrel >"$DEMO/vrel-demo.log" 2>&1 &
  pids+=($!)
  sleep 8
  # Without a window manager the window sits at the top-left corner.
  import -window root -crop 1024x768+0+0 +repage "$SHOT"
  echo "run.sh: screenshot of the window after discovery: $SHOT"
  echo "run.sh: program output: $DEMO/vrel-demo.log"
else
  echo "run.sh: the window opens on your display; close it to end the demo."
  ./vrel
fi
INNER_EOF
)

export DEMO FLEET SHOT HEADLESS
if [ "$(id -u)" = 0 ]; then
  unshare -n -i bash -c "$INNER"
else
  # A user namespace makes the private network namespace without root.
  unshare -rn -i bash -c "$INNER"
fi
