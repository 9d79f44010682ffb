#!/usr/bin/env bash
# Installs what is missing, builds the programs and runs the main job: the
# solver on the sample model, in a fresh scratch folder.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target veltosol

work=$(mktemp -d "${TMPDIR:-/tmp}/veltosol-run.XXXXXX")
cp examples/portal/VELTOSOL.IN "$work/"
(cd "$work" && "$OLDPWD/$build/solver/veltosol" >/dev/null)

echo "Result files in $work:"
for f in OUT STA MAX LST DSP ZLV; do echo "  $work/VELTOSOL.$f"; done
# Largest translation in the displacement file (node, old number, name, U V W ...).
awk 'NR > 1 {
       for (i = 4; i <= 6; i++) { v = $i < 0 ? -$i : $i; if (v > best) { best = v; line = $0; c = i } }
     }
     END { split(line, f); printf "Largest displacement: %s along %s at node %s (%s)\n",
           f[c], substr("UVW", c - 3, 1), f[1], f[3] }' "$work/VELTOSOL.DSP"
