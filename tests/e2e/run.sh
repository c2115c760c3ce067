#!/usr/bin/env bash
# Runs one end-to-end test script against a copy of the program folder, on its own virtual
# display with a window manager, with settings, state and runtime folders of its own.
# Usage: run.sh <test script> <program folder>
set -euo pipefail
script=$(realpath "$1")
source_dir=$(realpath "$2")
work=$(mktemp -d /tmp/kinetra-e2e.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/state" "$work/run" "$work/out"
chmod 700 "$work/run"
cp -r "$source_dir" "$work/prog"
export E2E_WORK=$work PROG=$work/prog KINETRA=$work/prog/kinetra
export XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state XDG_RUNTIME_DIR=$work/run
export E2E_LIB=$(dirname "$(realpath "$0")")/lib.sh
export E2E_KEEP=${E2E_KEEP:-}
status=0
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    bash -c 'openbox >/dev/null 2>&1 & sleep 1; bash ${E2E_TRACE:+-x} "$0"; status=$?; kill %1 2>/dev/null; exit $status' \
    "$script" || status=$?

if [ -n "$E2E_KEEP" ]; then mkdir -p "$E2E_KEEP" && cp -r "$work/out/." "$E2E_KEEP/"; fi
exit $status
