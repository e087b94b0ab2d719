#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/*_fuzz.cpp) with clang, prepares their seeds and runs each
# target for SECONDS (default 60), then prints per target the executions, executions per second
# and coverage (cov/ft) from libFuzzer's final lines.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]      e.g. scripts/fuzz.sh 600 dxf_fuzz gonion_fuzz
#
# Seeds are made at run time in the work folder, never in the repository: small drawings cut
# from the plans in ORVELLE_PLANS_DIR (the first entities of each) and documents that
# orvelle-cli saves from them. The corpus of each target grows in the work folder from run to
# run; findings go to WORK/artifacts and make the exit status 1.
# Environment: ORVELLE_FUZZ_BUILD (build folder, default build-fuzz), ORVELLE_FUZZ_WORK (work
# folder, default ${TMPDIR:-/tmp}/orvelle-fuzz-work), ORVELLE_PLANS_DIR, ORVELLE_FUZZ_ARGS
# (more libFuzzer options), ORVELLE_FUZZ_NO_BUILD=1 (run what is built, e.g. beside another run).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build=${ORVELLE_FUZZ_BUILD:-$root/build-fuzz}
work=${ORVELLE_FUZZ_WORK:-${TMPDIR:-/tmp}/orvelle-fuzz-work}
plans=${ORVELLE_PLANS_DIR:-$root/../shared/plans}

# Longest input per target: large enough for a small plan or document, small enough for speed.
declare -A max_len=(
    [container_fuzz]=65536
    [document_file_fuzz]=65536
    [document_roundtrip_fuzz]=65536
    [dxf_fuzz]=16384
    [gonion_fuzz]=1024
)

if [[ $# -gt 0 ]]; then
    targets=("$@")
else
    targets=()
    for source in "$root"/fuzz/*_fuzz.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
[[ -n ${ORVELLE_FUZZ_NO_BUILD:-} ]] ||
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVELLE_FUZZ=ON -DORVELLE_TESTS=OFF -DORVELLE_GUI=OFF -DORVELLE_BENCH=OFF \
    "${launcher[@]}" >/dev/null
if [[ -z ${ORVELLE_FUZZ_NO_BUILD:-} ]]; then
    cmake --build "$build" -j2 --target "${targets[@]}" orvelle-cli >/dev/null
fi

# Seeds are made afresh for each run of the script, so that runs may share the work folder.
mkdir -p "$work"/{corpus,artifacts,logs}
seeds=$work/seeds-$$
trap 'rm -rf "$seeds"' EXIT

# The DXF target reads 8 steering bytes before the drawing (see fuzz/dxf_fuzz.cpp).
dxf_headers=('\x00\x00\x00\x00\x80\x80\x00\x00' '\x01\x00\x00\xff\x40\xc0\x01\x35'
             '\x02\x01\x03\x05\x20\x20\x00\x9c' '\x03\x00\x00\x01\x99\x66\x01\xff'
             '\x03\x00\x00\x01\x80\x80\x06\x00' '\x01\x00\x00\xff\x40\xc0\x07\x35')

# Keeps of a drawing the layer table and the first `keep` LWPOLYLINE, LINE, CIRCLE, ARC, POLYLINE
# and INSERT entities of the ENTITIES section and of each block.
cut_drawing() {
    awk -v keep="$2" '
        function trim(s) { gsub(/^[ \t\r]+|[ \t\r]+$/, "", s); return s }
        function put(c, v) { printf "%s\n%s\n", c, v }
        NR % 2 == 1 { code = trim($0); next }
        {
            value = trim($0)
            if (code == "0" && value == "SECTION") { opening = 1; next }
            if (opening && code == "2") {
                opening = 0; section = value
                kept = (section == "TABLES" || section == "ENTITIES" || section == "BLOCKS")
                if (kept) { put(0, "SECTION"); put(2, section) }
                table = ""; entity = ""; count = 0
                next
            }
            if (!kept) next
            if (code == "0" && value == "ENDSEC") { put(0, "ENDSEC"); kept = 0; next }
            if (section == "TABLES") {
                if (code == "0" && value == "TABLE") { tableOpening = 1; next }
                if (tableOpening && code == "2") {
                    tableOpening = 0; table = value
                    if (table == "LAYER") { put(0, "TABLE"); put(2, "LAYER") }
                    next
                }
                if (table == "LAYER") put(code, value)
                if (code == "0" && value == "ENDTAB") table = ""
                next
            }
            if (code == "0") {
                if (value == "BLOCK") count = 0
                if (value == "VERTEX" || value == "SEQEND") {
                    # stays with its POLYLINE
                } else if (value == "BLOCK" || value == "ENDBLK") {
                    entity = 1
                } else {
                    entity = (value == "LWPOLYLINE" || value == "LINE" || value == "CIRCLE" ||
                              value == "ARC" || value == "POLYLINE" || value == "INSERT") &&
                             count < keep
                    if (entity) count++
                }
            }
            if (entity) put(code, value)
        }
        END { put(0, "EOF") }
    ' "$1"
}

# Imports with the automatic roles; failing that, with a layer the automatic choice ignores as
# the boundary (made around the plan when that layer holds none) and, when no layer is a wall,
# every other layer a wall.
import_drawing() {
    local cli=$build/app/cli/orvelle-cli
    "$cli" import "$1" -o "$2" >/dev/null 2>&1 && return 0
    local names=() roles=() options=() boundary="" walls=0 i
    while IFS=$'\t' read -r layer role _; do
        names+=("$layer")
        roles+=("$role")
        [[ $role == Wall ]] && walls=1
        [[ -z $boundary && $role == Ignore ]] && boundary=$layer
    done < <("$cli" layers "$1" 2>/dev/null)
    [[ ${#names[@]} -gt 0 ]] || return 1
    boundary=${boundary:-${names[0]}}
    options=(--role "$boundary=boundary" --create-boundary)
    for ((i = 0; i < ${#names[@]}; i++)); do
        [[ ${names[i]} != "$boundary" && $walls == 0 ]] && options+=(--role "${names[i]}=wall")
    done
    "$cli" import "$1" "${options[@]}" -o "$2" >/dev/null 2>&1
}

prepare_seeds() {
    mkdir -p "$seeds"/{dxf_fuzz,document_file_fuzz,document_roundtrip_fuzz,container_fuzz,gonion_fuzz,drawings}
    local limit=$((max_len[dxf_fuzz] - 8))
    if [[ -d $plans ]]; then
        for plan in "$plans"/*.dxf; do
            local name keep
            name=$(basename "$plan" .dxf)
            for keep in 64 16 4; do
                cut_drawing "$plan" "$keep" >"$seeds/drawings/$name-$keep.dxf"
                if [[ $(stat -c %s "$seeds/drawings/$name-$keep.dxf") -gt $limit ]]; then
                    rm "$seeds/drawings/$name-$keep.dxf"
                fi
            done
        done
    else
        echo "no plans in $plans: the drawing seeds are left out" >&2
    fi
    # Small drawings of the option's readers: bulges, an arc, an old-style polyline, nested and
    # self-placing blocks and an array.
    local t=$'0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nB\n0\nLAYER\n2\nW\n0\nENDTAB\n0\nENDSEC\n'
    local b=$'0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n8\n0\n2\nK\n10\n1\n20\n1\n0\nARC\n8\n0\n10\n0\n20\n0\n40\n1\n50\n0\n51\n90\n0\nINSERT\n8\n0\n2\nL\n0\nENDBLK\n0\nBLOCK\n2\nL\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n0\nINSERT\n2\nL\n0\nENDBLK\n0\nENDSEC\n'
    local e=$'0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n8\nB\n90\n4\n70\n1\n10\n0\n20\n0\n42\n0.5\n10\n10\n20\n0\n10\n10\n20\n10\n42\n-1\n10\n0\n20\n10\n0\nPOLYLINE\n8\nW\n66\n1\n70\n1\n0\nVERTEX\n8\nW\n10\n2\n20\n2\n42\n1\n0\nVERTEX\n8\nW\n10\n4\n20\n2\n0\nVERTEX\n8\nW\n10\n3\n20\n4\n0\nSEQEND\n0\nINSERT\n8\nW\n2\nK\n10\n5\n20\n5\n41\n2\n50\n30\n70\n3\n71\n2\n44\n1\n45\n1\n0\nARC\n8\nW\n10\n7\n20\n7\n40\n1\n50\n270\n51\n90\n230\n-1\n0\nENDSEC\n0\nEOF\n'
    printf '%s' "$t$b$e" >"$seeds/drawings/option-readers.dxf"
    local i=0
    for drawing in "$seeds"/drawings/*.dxf; do
        [[ -e $drawing ]] || continue
        local base
        base=$(basename "$drawing" .dxf)
        printf '%b' "${dxf_headers[$((i % ${#dxf_headers[@]}))]}" |
            cat - "$drawing" >"$seeds/dxf_fuzz/$base"
        i=$((i + 1))
        # Documents: the import alone, and one with a grid of a few cells.
        local document=$seeds/document_file_fuzz/$base.ovx
        if import_drawing "$drawing" "$document"; then
            local width span
            width=$("$build/app/cli/orvelle-cli" info "$document" 2>/dev/null |
                awk '/extent/ { for (f = 1; f <= NF; f++) if ($f ~ /^-?[0-9.e+-]+$/) v[++n] = $f }
                     END { if (n >= 4) { w = v[2] - v[1]; if (w < 0) w = -w; print w } }')
            span=$(awk -v w="${width:-0}" 'BEGIN { print (w > 0 ? w / 4 : 1) }')
            "$build/app/cli/orvelle-cli" grid "$document" --span "$span" --graph \
                -o "$seeds/document_file_fuzz/$base-grid.ovx" >/dev/null 2>&1 || true
        fi
    done
    # Documents larger than the longest input would be cut anyway.
    find "$seeds/document_file_fuzz" -size +"${max_len[document_file_fuzz]}"c -delete
    cp "$seeds"/document_file_fuzz/* "$seeds/document_roundtrip_fuzz/" 2>/dev/null || true
    for document in "$seeds"/document_file_fuzz/*.ovx; do
        [[ -e $document ]] || continue
        [[ $(stat -c %s "$document") -le ${max_len[container_fuzz]} ]] &&
            cp "$document" "$seeds/container_fuzz/"
    done
    # The geometry target: a few call sequences in each number mode.
    printf '\x00\x0a\x00\x00\x00\x00\x00\x00\x00' >"$seeds/gonion_fuzz/empty-booleans"
    for mode in 0 1 2; do
        head -c 512 /dev/urandom >"$seeds/gonion_fuzz/random-$mode"
        printf '%b' "\\x0$mode" | dd of="$seeds/gonion_fuzz/random-$mode" bs=1 count=1 conv=notrunc \
            status=none
    done
}

prepare_seeds

status=0
printf '%-26s %8s %12s %9s %8s %8s  %s\n' target seconds executions exec/s cov ft finding
for target in "${targets[@]}"; do
    binary=$build/fuzz/$target
    corpus=$work/corpus/$target
    log=$work/logs/$target-$$.log
    mkdir -p "$corpus"
    started=$(date +%s)
    finding=none
    # shellcheck disable=SC2086
    if ! UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 "$binary" "$corpus" "$seeds/$target" \
        -max_total_time="$seconds" -max_len="${max_len[$target]:-4096}" -timeout=25 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/artifacts/$target-" \
        ${ORVELLE_FUZZ_ARGS:-} >"$log" 2>&1; then
        finding=$(grep -m1 -oE 'ERROR: [A-Za-z]+: [a-z-]+|deadly signal|timeout|out-of-memory' "$log" || echo "see $log")
        status=1
    fi
    elapsed=$(($(date +%s) - started))
    executions=$(awk -F': ' '/stat::number_of_executed_units/ { print $2 }' "$log" | tail -1)
    rate=$(awk -F': ' '/stat::average_exec_per_sec/ { print $2 }' "$log" | tail -1)
    coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1)
    printf '%-26s %8s %12s %9s %8s %8s  %s\n' "$target" "$elapsed" "${executions:--}" \
        "${rate:--}" "$(awk '{ print $2 }' <<<"${coverage:-- - - -}")" \
        "$(awk '{ print $4 }' <<<"${coverage:-- - - -}")" "$finding"
done
exit "$status"
