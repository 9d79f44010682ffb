#!/usr/bin/env bash
# Installs what is missing, builds the programs and runs the main job: Tarvik
# in a fresh working folder that holds the solver and the font table. On a
# machine without a display the same job runs headless through tarvik-batch:
# the sample frame gets its supports and loads, is written as solver input and
# solved.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

scripts/deps.sh qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target tarvik tarvik-batch veltosol tarvik_docs

work=$(mktemp -d "${TMPDIR:-/tmp}/tarvik-work.XXXXXX")
cp "$build/solver/veltosol" render/symbol.cod examples/frame/frame.man "$work/"
cd "$work"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Starting Tarvik in $work (the sample frame is frame.man there)."
  exec "$top/$build/app/tarvik"
fi

echo "No display: running the headless job through tarvik-batch in $work."
"$top/$build/app/tarvik-batch" frame.man --fix Z00 --load Z01 --load-value 100,0,-1000 --velto
./veltosol >/dev/null
echo "Result files in $work:"
for f in OUT STA MAX LST DSP ZLV; do echo "  $work/VELTOSOL.$f"; done
# Largest translation in the displacement file (node, old number, name, U V W ...).
awk 'NR > 1 {
       for (i = 4; i <= 6; i++) { v = $i < 0 ? -$i : $i; if (v > best) { best = v; line = $0; c = i } }
     }
     END { split(line, f); printf "Largest displacement: %s along %s at node %s (%s)\n",
           f[c], substr("UVW", c - 3, 1), f[1], f[3] }' VELTOSOL.DSP
