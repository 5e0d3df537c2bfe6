#!/usr/bin/env bash
# Installs what is missing, builds, starts the back-end stand-in with the demo data set
# and starts the client pointed at it. Stops the stand-in when the client exits.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh

BUILD_DIR=${BUILD_DIR:-build}
DEMO_DIR=${DEMO_DIR:-$PWD/.demo}
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
  echo "There is no display. Run the demo under a virtual one:"
  echo "  xvfb-run -a -s '-screen 0 1600x1000x24' ./scripts/demo.sh"
  exit 1
fi

mkdir -p "$DEMO_DIR/volumes" "$DEMO_DIR/cert"
log="$DEMO_DIR/standin.log"
"$BUILD_DIR/standin/standin_server" --cert-dir "$DEMO_DIR/cert" --volumes "$DEMO_DIR/volumes" >"$log" 2>&1 &
standin=$!
trap 'kill $standin 2>/dev/null || true' EXIT

for _ in $(seq 50); do
  grep -q '^listening ' "$log" && break
  kill -0 $standin 2>/dev/null || { cat "$log"; exit 1; }
  sleep 0.1
done
url=$(sed -n 's/^listening //p' "$log")
echo "Back-end stand-in at $url (requests are logged in $log)"
echo "Demo user: demo / demo123"

PHOTOSELECT_BACKEND_URL="$url" \
PHOTOSELECT_CA_CERT="$DEMO_DIR/cert/standin-cert.pem" \
PHOTOSELECT_VOLUMES_ROOT="$DEMO_DIR/volumes" \
PHOTOSELECT_N8_SHARES="//N8SERVER/N8Share=$DEMO_DIR/volumes/N8Share" \
PHOTOSELECT_N8VIEWGO="$PWD/standin/fakeviewgo.sh" \
  "$BUILD_DIR/photoselect" "$@"
