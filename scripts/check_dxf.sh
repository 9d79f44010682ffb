#!/bin/sh
# Checks the DXF that tarvik-batch writes for the default house (type I
# columns and a roof, hidden-line image from the start-up eye) against two
# independent readers: the ezdxf library must read and audit it without a
# single error or fix, and LibreCAD must convert it to PDF from the command
# line. With pdftoppm or ImageMagick at hand the PDF also becomes a PNG.
#
#   scripts/check_dxf.sh [BUILD_DIR] [PNG]
#
# BUILD_DIR defaults to build-asan; PNG (optional) is where the picture goes.
# Exits 0 with a "skipped" line when python3-ezdxf or librecad is missing.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-asan}" && pwd)
png=${2:-}
batch=$build/app/tarvik-batch
python=/usr/bin/python3

if ! [ -x "$python" ] || ! "$python" -c "import ezdxf" 2>/dev/null; then
    echo "check_dxf: skipped (python3-ezdxf is not installed)"
    exit 0
fi
if ! command -v librecad >/dev/null 2>&1; then
    echo "check_dxf: skipped (librecad is not installed)"
    exit 0
fi
[ -x "$batch" ] || { echo "check_dxf: $batch not built" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$batch" --generate SumiType=1,YaneMode=1 --dxf house.dxf --dxf-colour 2 >/dev/null

"$python" - house.dxf <<'PY'
import sys
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
lines = len(doc.modelspace().query("LINE"))
for e in auditor.errors:
    print("error:", e.message)
for f in auditor.fixes:
    print("fix:", f.message)
print(f"check_dxf: ezdxf {ezdxf.__version__} read {lines} lines, "
      f"{len(auditor.errors)} errors, {len(auditor.fixes)} fixes")
sys.exit(1 if auditor.errors or auditor.fixes or lines == 0 else 0)
PY

# LibreCAD is a Qt program: it needs a display even for its console tools.
run_gui() {
    if command -v xvfb-run >/dev/null 2>&1; then
        xvfb-run -a "$@"
    else
        QT_QPA_PLATFORM=offscreen "$@"
    fi
}
run_gui librecad dxf2pdf -a -o house.pdf house.dxf >librecad.log 2>&1 || true
if ! [ -s house.pdf ]; then
    cat librecad.log >&2
    echo "check_dxf: librecad made no PDF" >&2
    exit 1
fi
echo "check_dxf: librecad dxf2pdf wrote $(wc -c <house.pdf) bytes"

if [ -n "$png" ]; then
    if command -v pdftoppm >/dev/null 2>&1; then
        pdftoppm -png -r 60 -singlefile house.pdf house || true
    elif command -v convert >/dev/null 2>&1; then
        convert -density 60 house.pdf -background white -flatten house.png || true
    fi
    if [ -s house.png ]; then
        cp house.png "$png"
        echo "check_dxf: picture $png"
    fi
fi
