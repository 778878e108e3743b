#!/usr/bin/env bash
# Runs every benchmark the README quotes, pinned to one core, and prints the README's figures
# (Markdown, between the markers of its benchmark section) with the load average before and
# after and lscpu's model line. Run by hand on a quiet machine, from any folder:
#   bash bench/readmeFigures.sh           # prints the figures
#   bash bench/readmeFigures.sh --write   # and puts them into README.md between the markers
# CORE (default 7) is the core to pin to; DISPLAY_NUMBER (default 40) the X display for the
# slider step of a real window (Xvfb and openbox are started there when nothing answers on it,
# and stopped at the end).
set -euo pipefail
cd "$(dirname "$0")/.."
core=${CORE:-7}
displayNumber=${DISPLAY_NUMBER:-40}
write=0
[ "${1-}" = "--write" ] && write=1

bash tools/build.sh build >/dev/null
out=$(mktemp -d)
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$out"
}
trap cleanup EXIT

loadBefore=$(cut -d' ' -f1-3 /proc/loadavg)
model=$(lscpu | sed -n 's/^Model name:[[:space:]]*//p' | head -1)

# run NAME PROGRAM [ARGS...]: NAME.txt holds the minimum and median of 10 interleaved
# repetitions of every case (the console table: name, time, unit, ...). PLATFORM (default
# offscreen) is the toolkit platform of the program. A program that fails is reported, and its
# figures show as "?".
run() {
  local name=$1; shift
  if ! QT_QPA_PLATFORM=${PLATFORM:-offscreen} taskset -c "$core" "$@" \
         --benchmark_enable_random_interleaving=true --benchmark_repetitions=10 \
         --benchmark_report_aggregates_only=true --benchmark_color=false \
         >"$out/$name.txt" 2>"$out/$name.log"; then
    echo "$1 failed:" >&2
    tail -5 "$out/$name.log" >&2
  fi
}

# value NAME CASE STATISTIC: the time in ms of one aggregate ("min" or "median"); nan when the
# case is missing or failed.
value() {
  awk -v want="$2_$3" '$1 == want && $2 != "ERROR" { t = $2; if ($3 == "us") t /= 1000;
    if ($3 == "ns") t /= 1e6; if ($3 == "s") t *= 1000; print t; found = 1; exit }
    END { if (!found) print "nan" }' "$out/$1.txt"
}

# Three significant digits (four decimals at most), plain notation.
digits() {
  awk -v v="$1" 'BEGIN { if (v == "nan") { print "?"; exit }
    if (v >= 100) printf "%.0f", v; else if (v >= 10) printf "%.1f", v;
    else if (v >= 1) printf "%.2f", v; else if (v >= 0.1) printf "%.3f", v;
    else printf "%.4f", v }'
}

# pair NAME CASE: "min / median ms".
pair() {
  echo "$(digits "$(value "$1" "$2" min)") / $(digits "$(value "$1" "$2" median)") ms"
}

# ratio NAME CASE NAME2 CASE2: "min / median" of the first over the second.
ratio() {
  local a b c d
  a=$(value "$1" "$2" min); b=$(value "$1" "$2" median)
  c=$(value "$3" "$4" min); d=$(value "$3" "$4" median)
  awk -v a="$a" -v b="$b" -v c="$c" -v d="$d" 'BEGIN {
    if (a == "nan" || b == "nan" || c == "nan" || d == "nan") print "?";
    else printf "%.2f / %.2f", a / c, b / d }'
}

run fft3 build/bench/phasedeck_bench_fft2D_fftw3
run fft2 build/bench/phasedeck_bench_fft2D_fftw2 --benchmark_filter='portable|fftw2'
run labFFT build/bench/phasedeck_bench_labFieldFFT
run design build/bench/phasedeck_bench_doeDesign
run labDesign build/bench/phasedeck_bench_labDoeDesign
run composition build/bench/phasedeck_bench_fullScreenComposition
run patterns build/bench/phasedeck_bench_patternGenerators

# The slider step of a real window, on an X server of its own when the display is free.
export DISPLAY=":$displayNumber"
if ! xrandr --query >/dev/null 2>&1; then
  Xvfb "$DISPLAY" -screen 0 3840x1080x24 -nolisten tcp -noreset >"$out/xvfb.log" 2>&1 &
  started+=($!)
  for _ in $(seq 50); do xrandr --query >/dev/null 2>&1 && break; sleep 0.1; done
  xrandr --output screen --primary >/dev/null 2>&1 || true
  xrandr --setmonitor LEFT 1920/508x1080/286+0+0 screen >/dev/null 2>&1 || true
  xrandr --setmonitor RIGHT 1920/508x1080/286+1920+0 none >/dev/null 2>&1 || true
  openbox >"$out/openbox.log" 2>&1 &
  started+=($!)
  sleep 1
fi
PLATFORM=xcb run screen build/bench/phasedeck_bench_sliderStepOnScreen

zoomPeak=$(QT_QPA_PLATFORM=offscreen /usr/bin/time -v taskset -c "$core" \
             build/bench/phasedeck_bench_fieldWindowZoom 2>&1 >/dev/null \
           | awk '/Maximum resident set size/ { printf "%.0f", $NF / 1024 }')
loadAfter=$(cut -d' ' -f1-3 /proc/loadavg)

paths="portable"
grep -q '^complexFFT2D/avx2Fma/256_min ' "$out/fft3.txt" && paths="portable avx2Fma"
name() { [ "$1" = avx2Fma ] && echo "AVX2" || echo "SSE2"; }

figures() {
  echo "<!-- figures: bash bench/readmeFigures.sh -->"
  echo "Measured on one core (taskset -c $core) of \"$model\" (lscpu), GCC $(gcc -dumpversion) at -O2"
  echo "(RelWithDebInfo), 10 interleaved repetitions, each figure minimum / median; load average"
  echo "$loadBefore before and $loadAfter after the run."
  echo
  echo "2-D FFT, a forward and a backward transform of n x n values, against FFTW 3:"
  echo
  echo "| n | ours, AVX2 | ours, SSE2 | FFTW 3 | AVX2 / FFTW 3 |"
  echo "|---|---|---|---|---|"
  for n in 256 512 1024 2048; do
    echo "| $n | $(pair fft3 complexFFT2D/avx2Fma/$n) | $(pair fft3 complexFFT2D/portable/$n)" \
         "| $(pair fft3 fftw3/$n) | $(ratio fft3 complexFFT2D/avx2Fma/$n fft3 fftw3/$n) |"
  done
  echo
  echo "Against FFTW 2 (its own program):"
  echo
  echo "| n | ours, SSE2 | FFTW 2 | FFTW 2 / SSE2 |"
  echo "|---|---|---|---|"
  for n in 256 512 1024 2048; do
    echo "| $n | $(pair fft2 complexFFT2D/portable/$n) | $(pair fft2 fftw2/$n)" \
         "| $(ratio fft2 fftw2/$n fft2 complexFFT2D/portable/$n) |"
  done
  echo
  echo "Field transforms, fft then ifft: the internal edition's (FFTW 2) against the release"
  echo "edition's: 512 x 512 $(pair labFFT labFieldFFTW2/512) against" \
       "$(pair labFFT releaseFieldOwnFFT/512);"
  echo "1024 x 1024 $(pair labFFT labFieldFFTW2/1024) against" \
       "$(pair labFFT releaseFieldOwnFFT/1024)."
  echo
  echo "DOE design against the Gerchberg-Saxton peer on FFTW 3:"
  echo
  echo "| grid | design, AVX2 | design, SSE2 | Gerchberg-Saxton on FFTW 3 | AVX2 / GS |"
  echo "|---|---|---|---|---|"
  for n in 256 512; do
    echo "| $n x $n | $(pair design DoeDesign/avx2Fma/$n) | $(pair design DoeDesign/portable/$n)" \
         "| $(pair design GerchbergSaxtonFFTW3/$n)" \
         "| $(ratio design DoeDesign/avx2Fma/$n design GerchbergSaxtonFFTW3/$n) |"
  done
  echo
  echo "Element passes of one round at 512 x 512:"
  for pass in makePhaseOnly quantizePhases amplitudeConstraint; do
    line="- $pass:"
    for p in $paths; do line="$line $(name "$p") $(pair design ElementPass/$pass/$p/512);"; done
    echo "${line%;}."
  done
  echo "Steps outside the rounds at 512 x 512: target amplitude $(pair design DesignStep/target/512)," \
       "random start $(pair design DesignStep/randomStart/512), mask and engine" \
       "$(pair design DesignStep/engineSetUp/512), phase image from the levels" \
       "$(pair design DesignStep/phaseImageFromLevels/512) (by the general conversion" \
       "$(pair design DesignStep/phaseImageConverted/512))."
  echo "The internal edition's design at a 512 x 512 tile: $(pair labDesign LabDoeDesign/512)."
  echo
  echo "Full-screen composition at 1920 x 1080:"
  echo "- tiling path: whole pattern $(pair composition tiledPath/1920/1080), 100 x 100 cell" \
       "$(pair composition tiledPath/100/100), 2 x 1 period $(pair composition tiledPath/2/1);"
  for p in $paths; do
    echo "- per-pixel path with lens and prism phases, $(name "$p"): 100 x 100 cell" \
         "$(pair composition perPixelLensAndPrism/$p/100/100), whole pattern" \
         "$(pair composition perPixelLensAndPrism/$p/1920/1080);"
  done
  for p in $paths; do
    echo "- slider step, $(name "$p"): composed $(pair composition perPixelStep/$p), painted" \
         "into a 32-bit surface $(pair composition perPixelStepPainted/$p), painted through a" \
         "32-bit image $(pair composition perPixelStepThroughImage/$p); in a real window" \
         "until the X server holds the frame $(pair screen sliderStepOnScreen/$p);"
  done
  echo "- the former step with a new pixmap: $(pair composition perPixelStepWithPixmap)," \
       "painted $(pair composition perPixelStepWithPixmapPainted)."
  echo "(The X server on display $DISPLAY runs unpinned, beside the pinned program.)"
  echo
  echo "Pattern generators at 1920 x 1080, the slowest first:"
  echo
  echo "| pattern | time |"
  echo "|---|---|"
  awk '$1 ~ /_median$/ { n = $1; sub(/_median$/, "", n); print $2, n }' "$out/patterns.txt" \
    | sort -k1,1 -g -r | while read -r _ p; do echo "| $p | $(pair patterns "$p") |"; done
  echo
  echo "Zooming a 300 x 200 field window to its largest side peaks at $zoomPeak MB (resident)."
  echo "<!-- end of figures -->"
}

figures | tee "$out/figures.md"
if [ "$write" = 1 ]; then
  awk -v block="$out/figures.md" '
    /^<!-- figures: / { while ((getline line < block) > 0) print line; skip = 1; next }
    /^<!-- end of figures -->/ { skip = 0; next }
    !skip { print }' README.md >"$out/README.md"
  cp "$out/README.md" README.md
fi
