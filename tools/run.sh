#!/usr/bin/env bash
# Builds Kinetra and starts it; without a display it runs under a virtual one (Xvfb + openbox).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh"
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" --target kinetra
program="$top/build/bin/kinetra"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program"
fi
echo "No display found: starting Kinetra on a virtual display (Xvfb :99 with openbox)."
echo "Look at it with: DISPLAY=:99 import -window root shot.png"
exec xvfb-run -n 99 -s "-screen 0 1280x1024x24 -ac" \
    bash -c 'openbox >/dev/null 2>&1 & exec "$0"' "$program"
