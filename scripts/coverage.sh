#!/usr/bin/env bash
# Builds the coverage preset, runs the whole test suite on fresh counters and
# prints the line and branch coverage of every file in core/, ui/ and app/,
# with a total per folder. Branches that only a thrown exception would take,
# and those gcc adds on lines without code, are not counted.
#
#   scripts/coverage.sh                  report only
#   scripts/coverage.sh --floor 95       also fail when the lines of core/ or
#                                        of ui/ are below 95 %
set -euo pipefail
cd "$(dirname "$0")/.."

floor=""
if [ "${1:-}" = "--floor" ]; then
    floor=${2:?"usage: $0 [--floor PERCENT]"}
fi

source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${COVERAGE_PACKAGES[@]}"

BUILD_DIR=build-coverage
export QT_QPA_PLATFORM=offscreen
cmake --preset coverage >/dev/null
cmake --build --preset coverage -j "$(nproc)"
# The build runs the core tests once to list them; only the suite counts.
find "$BUILD_DIR" -name '*.gcda' -delete
ctest --preset coverage -j "$(nproc)"

summary=$BUILD_DIR/coverage-summary.json
# CMake's compiler check leaves counters of its own under CMakeFiles/.
gcovr --root . --object-directory "$BUILD_DIR" \
    --exclude-directories "$BUILD_DIR/CMakeFiles\$" \
    --filter 'core/' --filter 'ui/' --filter 'app/' \
    --exclude-throw-branches --exclude-unreachable-branches \
    --json-summary "$summary" "$BUILD_DIR" >/dev/null

python3 - "$summary" "$floor" <<'PY'
import json
import sys

summary_path, floor = sys.argv[1], sys.argv[2]
files = json.load(open(summary_path))["files"]
folders = {}

def percent(covered, total):
    return 100.0 * covered / total if total else 100.0

print(f"{'file':<34} {'lines':>15} {'branches':>15}")
for f in sorted(files, key=lambda f: f["filename"]):
    name = f["filename"]
    folder = name.split("/", 1)[0]
    totals = folders.setdefault(folder, [0, 0, 0, 0])
    totals[0] += f["line_covered"]
    totals[1] += f["line_total"]
    totals[2] += f["branch_covered"]
    totals[3] += f["branch_total"]
    print(f"{name:<34} {f['line_covered']:>5}/{f['line_total']:<5} "
          f"{percent(f['line_covered'], f['line_total']):5.1f}% "
          f"{f['branch_covered']:>5}/{f['branch_total']:<5} "
          f"{percent(f['branch_covered'], f['branch_total']):5.1f}%")

print()
failed = []
for folder in ("core", "ui", "app"):
    lc, lt, bc, bt = folders.get(folder, [0, 0, 0, 0])
    lines = percent(lc, lt)
    print(f"{folder + '/':<34} {lc:>5}/{lt:<5} {lines:5.1f}% "
          f"{bc:>5}/{bt:<5} {percent(bc, bt):5.1f}%")
    # app/ is main() alone, which the tests never start.
    if floor and folder in ("core", "ui") and lines < float(floor):
        failed.append(f"{folder}/ lines {lines:.1f}% < {floor}%")

if failed:
    print("coverage: below the floor: " + "; ".join(failed), file=sys.stderr)
    sys.exit(1)
PY
