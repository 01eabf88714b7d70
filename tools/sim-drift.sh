#!/bin/sh
# Plays a cycle at real time offscreen for 60 s (or the seconds given) and
# reports the simulated time against the wall clock.
#   tools/sim-drift.sh [seconds] [busy]
# With "busy" the event loop is held for 130 ms once a second, so that timer
# ticks come late or are dropped; the simulated time should keep up anyway.
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DORVANTA_BENCH=ON >/dev/null
cmake --build build-bench -j 2 --target sim_drift >/dev/null
QT_QPA_PLATFORM=offscreen build-bench/bench/chart/sim_drift "${1:-60}" ${2:-}
