#!/usr/bin/env bash
# Builds the benchmarks in a Release folder (default build-bench/), runs them
# all (windows offscreen) and prints one line per figure: its name, our time,
# the time of the baseline measured in the same run, and their ratio, in CPU
# time and in real time (on a busy machine the CPU time is the steadier).
# Extra arguments go to every benchmark, e.g. --benchmark_repetitions=3.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
dir="${DRAVIN_BENCH_DIR:-$top/build-bench}"
"$top/scripts/setup-deps.sh"
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDRAVIN_BENCH=ON >/dev/null

names=()
for src in "$top"/bench/*.cpp "$top"/bench/gui/*.cpp "$top"/bench/line/*.cpp; do
    names+=("$(basename "$src" .cpp)")
done
cmake --build "$dir" --target "${names[@]}" -- -j"$(nproc)" >/dev/null

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
export QT_QPA_PLATFORM=offscreen
for name in "${names[@]}"; do
    echo "running $name" >&2
    "$dir/bench/$name" --benchmark_out="$out/$name.json" --benchmark_out_format=json \
        "$@" >/dev/null
done

echo "machine: $(nproc) x $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
# A baseline timed for fewer records than its figure (the list filled one
# item per cell for a tenth of the store) is scaled to the same count by the
# items both report, and marked so.
python3 - "$out"/*.json <<'EOF'
import json
import sys

# Figure -> the baseline measured beside it in the same run.
BASELINES = {
    "loadAFullLogFileWithStatistics": "readTheSameBytesPlainly",
    "openTheDataListOfAFullStore": "openWithOneItemPerCellForATenth",
    "redrawAFullLogByPixelColumns": "redrawAFullLogSegmentBySegment",
    "textExportOfAFullStore": "theSameBytesWrittenAtOnce",
    "decodeAFullDownload": "copyTheSameBytes",
    "downloadOf10000RecordsAt38400Baud": "lineRateBound",
}

UNIT_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def runs(paths):
    found = {}
    for path in paths:
        with open(path, encoding="utf-8") as f:
            for run in json.load(f)["benchmarks"]:
                # With repetitions, the median stands for the figure.
                if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
                    continue
                # "name/iterations:1" and the like are the benchmark "name".
                name = run.get("run_name", run["name"]).split("/")[0]
                if run.get("run_type") == "aggregate" or name not in found:
                    found[name] = run
    return found


def millis(run, clock):
    return run[clock] * UNIT_MS[run.get("time_unit", "ns")]


def scale(run, base):
    """How many of the baseline's records make one figure's, and a note."""
    ours, theirs = run.get("items_per_second"), base.get("items_per_second")
    if not ours or not theirs:
        return 1.0, ""
    # Rates are per second of CPU time.
    items = ours * millis(run, "cpu_time") / (theirs * millis(base, "cpu_time"))
    if abs(items - 1.0) < 0.01:
        return 1.0, ""
    return items, f"  (baseline scaled x{items:.1f} by records)"


def columns(run, base, factor, clock):
    ours = millis(run, clock)
    if base is None:
        return f"{ours:>10.3f} {'-':>10} {'-':>7}"
    theirs = millis(base, clock) * factor
    return f"{ours:>10.3f} {theirs:>10.3f} {ours / theirs:>7.3g}"


def main(paths):
    found = runs(paths)
    baselines = set(BASELINES.values())
    print(f"{'figure':<32} {'baseline':<32} {'ours':>10} {'baseline':>10} {'ratio':>7}   "
          f"{'ours':>10} {'baseline':>10} {'ratio':>7}")
    print(f"{'':<32} {'':<32} {'CPU ms':>10} {'CPU ms':>10} {'':>7}   "
          f"{'real ms':>10} {'real ms':>10}")
    for name, run in found.items():
        if name in baselines:
            continue
        base = found.get(BASELINES.get(name, ""))
        factor, note = scale(run, base) if base else (1.0, "")
        print(f"{name:<32} {BASELINES.get(name, '-') if base else '-':<32} "
              f"{columns(run, base, factor, 'cpu_time')}   "
              f"{columns(run, base, factor, 'real_time')}{note}")


if __name__ == "__main__":
    main(sys.argv[1:])
EOF
