#!/usr/bin/env bash
# Builds the application folder build/Kolvex/ and starts the desktop program from it.
# Arguments are passed to the program (a folder to catalogue, or /am to start in the tray).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<TEXT
Kolvex is built, but there is no graphical desktop here (neither \$DISPLAY nor
\$WAYLAND_DISPLAY is set), so the desktop program cannot start.

Use the command-line tool from the same folder instead, for example:
  build/Kolvex/kolvex-cli --help
  build/Kolvex/kolvex-cli volumes
  build/Kolvex/kolvex-cli dump build/Kolvex/Options.cfg

Or run the desktop program on a virtual display:
  xvfb-run -a build/Kolvex/kolvex
TEXT
  exit 1
fi
exec build/Kolvex/kolvex "$@"
