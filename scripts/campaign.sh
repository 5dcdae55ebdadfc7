#!/usr/bin/env bash
# An outside attack on the built command line, on a throw-away copy of the
# program folder: every sample file cut at many points and fed to every
# command that reads it, writers run side by side on one SysData and one
# document, searches and saves interrupted with SIGINT, SIGTERM and SIGKILL,
# and outputs aimed at inputs, links, read-only files and FIFOs.  After each
# case: no crash (an exit at or above 128 other than the signal sent), no
# hang, no input changed that the command was not meant to update, and no
# success with a broken output.
#
#   scripts/campaign.sh [--size small|medium|large] [--seed N] [--bin DIR] [--keep]
#                       [--only truncate,cache,parallel,signal,files]
#
# --bin is the program folder to copy (default build/bin, with zelvomini-cli,
# SysData and UserData).  Prints the cases run and the failures per class,
# the first failures of each class, and exits 1 on any failure.  medium (the
# default) takes two to four minutes on a loaded two-core machine.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
size=medium
seed=$$
bin="$root/build/bin"
keep=0
only="truncate,cache,parallel,signal,files"
while [ $# -gt 0 ]; do
  case "$1" in
    --size) size="$2"; shift 2 ;;
    --seed) seed="$2"; shift 2 ;;
    --bin) bin="$2"; shift 2 ;;
    --keep) keep=1; shift ;;
    --only) only="$2"; shift 2 ;;
    -h|--help) sed -n '2,19p' "$0"; exit 0 ;;
    *) echo "campaign: unknown option $1" >&2; exit 64 ;;
  esac
done
case "$size" in
  small)  cuts=4;  writers=8;  interrupts=3;  big_lines=100000 ;;
  medium) cuts=8;  writers=24; interrupts=6;  big_lines=300000 ;;
  large)  cuts=32; writers=48; interrupts=20; big_lines=1000000 ;;
  *) echo "campaign: --size small, medium or large" >&2; exit 64 ;;
esac
RANDOM=$seed
if [ ! -x "$bin/zelvomini-cli" ] || [ ! -d "$bin/SysData" ]; then
  echo "campaign: no program folder at $bin (build zelvomini-cli first)" >&2
  exit 2
fi

work="$(mktemp -d)"
cleanup() {
  if [ "$keep" = 1 ]; then echo "campaign: kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT
prog="$work/prog"
mkdir -p "$prog" "$work/cwd"
cp -r "$bin/." "$prog/"
rm -f "$prog/zelvomini" "$prog/zelvomini-screenshots"
cli="$prog/zelvomini-cli"
samples="$prog/UserData/Zelvomini"
start_time=$SECONDS

declare -A cases=() fails=()
failures_log="$work/failures.txt"
: >"$failures_log"
# A case of a class: pass "ok" or anything else with the reason.
record() {
  local class="$1" verdict="${2//[$'\t\n']/ }" what="${3//[$'\t\n']/ }"
  cases[$class]=$(( ${cases[$class]:-0} + 1 ))
  if [ "$verdict" != ok ]; then
    fails[$class]=$(( ${fails[$class]:-0} + 1 ))
    printf '%s\t%s\t%s\n' "$class" "$verdict" "$what" >>"$failures_log"
  fi
}

# Runs the CLI from the scratch folder; sets rc, out and err.  A command
# that runs past its time is a hang (rc 124).
run() {
  [ -n "${TRACE:-}" ] && echo "run: $*" >&2
  local input="${STDIN:-/dev/null}"
  (cd "$work/cwd" && timeout -k 5 "${LIMIT:-60}" "$cli" "$@") <"$input" >"$work/out" 2>"$work/err"
  rc=$?
  out="$(cat "$work/out")"
  err="$(cat "$work/err")"
}

# Every file below a folder: its kind, mode and link target, and the
# checksums of the plain files.  A few processes per call, not a few per
# file: the cache cases take it hundreds of times over SysData.
snapshot() {
  (cd "$1" && LC_ALL=C find . \( -type f -o -type l -o -type p \) ! -name '*.lock' \
      -printf '%y %m %p -> %l\n' | LC_ALL=C sort &&
    LC_ALL=C find . -type f ! -name '*.lock' -print0 | LC_ALL=C sort -z | xargs -0 -r md5sum)
}

crashed() { [ "$rc" -ge 128 ] || [ "$rc" -eq 124 ]; }
crash_text() { [ "$rc" -eq 124 ] && echo "hang" || echo "crash (exit $rc)"; }

# True when the lines of a TPD file load (the CLI's own reader as oracle).
tpd_loads() {
  local save_rc=$rc save_out=$out save_err=$err ok=1
  run info "$1"
  [ "$rc" -eq 0 ] || ok=0
  rc=$save_rc out=$save_out err=$save_err
  [ "$ok" = 1 ]
}
tpd_singles() { run info "$1"; sed -n 's/^Singles: //p' <<<"$out"; }

# A CSV of singles written by the program: every line five outcomes, CR LF.
csv_whole() {
  [ -f "$1" ] && ! LC_ALL=C grep -qvaE '^[012],[012],[012],[012],[012]'$'\r''$' "$1"
}

# Cut points of a file of n bytes: both ends and `cuts` points between.
cut_points() {
  local n=$1 i
  echo 0
  echo 1
  for ((i = 1; i <= cuts; i++)); do echo $(( (n * i) / (cuts + 1) + RANDOM % 7 )); done
  echo $((n - 2))
  echo $((n - 1))
}

# ----------------------------------------------------------------- truncate
truncate_documents() {
  local doc n cut d good name whole
  good="$work/good.csv"
  run csv export "$samples/sample-guarantee.tpd" "$good"
  for doc in "$samples"/*.tpd; do
    n=$(stat -c %s "$doc")
    name=$(basename "$doc")
    for cut in $(cut_points "$n" | sort -nu); do
      [ "$cut" -ge 0 ] && [ "$cut" -lt "$n" ] || continue
      d="$work/t"
      rm -rf "$d" && mkdir -p "$d"
      head -c "$cut" "$doc" >"$d/doc.tpd"
      cp "$good" "$d/good.csv"
      # Cutting off only blanks and line ends leaves the document whole.
      if [ -z "$(tail -c +$((cut + 1)) "$doc" | tr -d ' \r\n\t')" ]; then whole=1; else whole=0; fi
      local -a commands=(
        "info @D" "check @D" "print @D --list" "report @D --form 0" "search @D -o $d/out.tpd"
        "csv export @D $d/out.csv" "coverage @D" "chances @D" "lines unique @D -o $d/lines.csv"
        "csv import @D $d/good.csv" "import @D" "batch @D" "search @D" "minimum @D --time 1"
      )
      local c
      for c in "${commands[@]}"; do
        local before
        before="$(snapshot "$d")"
        # shellcheck disable=SC2086
        STDIN=<(printf '1,0,2,0,1\r\n') run ${c//@D/$d/doc.tpd}
        local what="$name cut at $cut: $c"
        if crashed; then record truncate "$(crash_text)" "$what"; continue; fi
        if [ "$whole" = 0 ]; then
          if [ "$rc" -eq 0 ]; then record truncate "success on a cut document" "$what"; continue; fi
          if [ "$(snapshot "$d")" != "$before" ]; then
            record truncate "files changed by a refused command" "$what"
            continue
          fi
        elif [ "$rc" -eq 0 ]; then
          if [ -e "$d/out.tpd" ] && ! tpd_loads "$d/out.tpd"; then
            record truncate "broken output document" "$what"; continue
          fi
          if [ -e "$d/out.csv" ] && ! csv_whole "$d/out.csv"; then
            record truncate "broken output CSV" "$what"; continue
          fi
          rm -f "$d/out.tpd" "$d/out.csv" "$d/lines.csv"
        fi
        record truncate ok "$what"
      done
    done
  done
}

# The team-name and league tables cut short: every command still starts or
# refuses, none crashes, and none rewrites a table it only reads.
truncate_tables() {
  local table n cut orig c what before d="$work/tb"
  rm -rf "$d" && mkdir -p "$d"
  cp "$samples/sample-guarantee.tpd" "$d/doc.tpd"
  for table in "$prog"/SysData/*.dat; do
    orig="$work/orig.dat"
    cp "$table" "$orig"
    n=$(stat -c %s "$table")
    for cut in $(cuts=$((cuts / 2)) cut_points "$n" | sort -nu); do
      [ "$cut" -ge 0 ] && [ "$cut" -lt "$n" ] || continue
      head -c "$cut" "$orig" >"$table"
      for c in "status" "team 鹿島アントラーズ 1487 2024" "info $d/doc.tpd" "search $d/doc.tpd -o $d/out.tpd" "show 1487 A"; do
        before="$(snapshot "$prog/SysData")"
        # shellcheck disable=SC2086
        run $c
        what="$(basename "$table") cut at $cut: $c"
        if crashed; then record truncate "$(crash_text)" "$what"
        elif [ "$(snapshot "$prog/SysData")" != "$before" ]; then record truncate "SysData changed" "$what"
        elif [ "$rc" -eq 0 ] && [ -e "$d/out.tpd" ] && ! tpd_loads "$d/out.tpd"; then record truncate "broken output document" "$what"
        else record truncate ok "$what"; fi
        rm -f "$d/out.tpd"
      done
    done
    cp "$orig" "$table"
  done
}

# The singles a CSV file holds as the command line reads it: lines of five
# outcomes count, other lines are skipped, and a line of five fields with one
# that is no outcome fails the file ("bad"); "none" when no line counts.
expected_csv() {
  # The text ends at its first NUL; CR alone ends a line too.
  head -z -n 1 "$1" | tr -d '\0' | tr '\r' '\n' | LC_ALL=C awk -F, '
    NR == 1 { sub(/^\357\273\277/, "") }
    NF == 5 {
      for (i = 1; i <= 5; i++) { f = $i; gsub(/^[ \t]+|[ \t]+$/, "", f)
        if (f !~ /^[012]$/) { bad = 1; exit } }
      n++
    }
    END { if (bad) print "bad"; else if (n == 0) print "none"; else print n }'
}

truncate_csv() {
  local src="$work/singles.csv" n cut d f expect c what before
  # 18 singles of the sample and a line of blanks inside; with a BOM.
  run csv export "$samples/sample-guarantee.tpd" "$src"
  { printf '\357\273\277'; head -c 33 "$src"; printf ' 1, 0 ,2,0,1\r\n'; tail -c +34 "$src"; } >"$work/bom.csv"
  for src in "$src" "$work/bom.csv"; do
    n=$(stat -c %s "$src")
    for cut in $(cut_points "$n" | sort -nu); do
      [ "$cut" -ge 0 ] && [ "$cut" -le "$n" ] || continue
      d="$work/t"
      rm -rf "$d" && mkdir -p "$d"
      f="$d/Zmini-1487A.csv"
      head -c "$cut" "$src" >"$f"
      cp "$samples/sample-guarantee.tpd" "$d/doc.tpd"
      expect=$(expected_csv "$f")
      local -a commands=(
        "coverage @F" "lines union @F @F" "compress --engine 1 --targets @F"
        "check --singles @F --round 1487 --group A" "print --singles @F --list"
        "chances @F" "csv import $d/doc.tpd @F --add"
      )
      for c in "${commands[@]}"; do
        before="$(snapshot "$d")"
        # shellcheck disable=SC2086
        run ${c//@F/$f}
        what="$(basename "$src") cut at $cut ($expect): $c"
        if crashed; then record truncate "$(crash_text)" "$what"; continue; fi
        case "$expect" in
          bad|none)
            if [ "$rc" -eq 0 ]; then record truncate "success on a file without singles" "$what"; continue; fi
            if ! grep -qF "$f" <<<"$err"; then record truncate "refused without the file's name" "$what"; continue; fi
            if [ "$(snapshot "$d")" != "$before" ]; then record truncate "files changed by a refused command" "$what"; continue; fi
            ;;
          *)
            if [ "$rc" -ne 0 ]; then record truncate "refused a file with readable singles (exit $rc)" "$what"; continue; fi
            case "$c" in
              coverage*) grep -q "^Bought: $expect singles" <<<"$out" || { record truncate "wrong count: $(head -1 <<<"$out")" "$what"; continue; } ;;
              csv*) tpd_loads "$d/doc.tpd" || { record truncate "broken document after import" "$what"; continue; } ;;
            esac
            ;;
        esac
        record truncate ok "$what"
      done
    done
  done
}

# -------------------------------------------------------------------- cache
truncate_caches() {
  local xml n cut kind round group d whole orig damaged i
  d="$work/c"
  mkdir -p "$d"
  run csv export "$samples/sample-guarantee.tpd" "$d/Zmini-1487A.csv"
  cp "$d/Zmini-1487A.csv" "$d/Zmini-1487B.csv"
  # Every cache file, or for the small size those of the sample round and a
  # few others drawn by the seed.
  local -a files=("$prog"/SysData/minitoto_*/*.xml)
  if [ "$size" = small ]; then
    local -a picked=() f
    for f in "${files[@]}"; do [[ "$f" == *_1487_* ]] && picked+=("$f"); done
    for ((i = 0; i < 4; i++)); do picked+=("${files[$((RANDOM % ${#files[@]}))]}"); done
    mapfile -t files < <(printf '%s\n' "${picked[@]}" | sort -u)
  fi
  for xml in "${files[@]}"; do
    orig="$work/orig.xml"
    cp "$xml" "$orig"
    n=$(stat -c %s "$xml")
    kind=$(basename "$xml" | cut -d_ -f2)
    round=$(basename "$xml" .xml | cut -d_ -f3)
    group=$(basename "$xml" .xml | cut -d_ -f4)
    for cut in $(cut_points "$n" | sort -nu); do
      [ "$cut" -ge 0 ] && [ "$cut" -lt "$n" ] || continue
      head -c "$cut" "$orig" >"$xml"
      if [ -z "$(tail -c +$((cut + 1)) "$orig" | tr -d ' \r\n\t')" ]; then whole=1; else whole=0; fi
      local before
      before="$(snapshot "$prog/SysData")"
      local -a commands=("show $round $group"
        "check --singles $d/Zmini-1487$group.csv --round $round --group $group"
        "chances $d/Zmini-1487$group.csv")
      local c what
      for c in "${commands[@]}"; do
        # shellcheck disable=SC2086
        run $c
        what="$(basename "$xml") cut at $cut: $c"
        if crashed; then record cache "$(crash_text)" "$what"; continue; fi
        if [ "$(snapshot "$prog/SysData")" != "$before" ]; then record cache "SysData changed" "$what"; continue; fi
        damaged=""
        if [ "$whole" = 0 ]; then
          case "$kind:$c" in
            result:check*) grep -q ", official result" <<<"$out" && damaged="a cut result cache graded as official" ;;
            # The singles file names round 1487: another round's cache is not its.
            vote:chances*) [ "$round" = 1487 ] && grep -q "official vote rates" <<<"$out" && damaged="a cut vote cache used for the chances" ;;
            # Shown as data: the section's heading without "unusable".
            schedule:show*) grep -qx "Schedule" <<<"$out" && damaged="a cut schedule cache shown" ;;
            vote:show*) grep -q "^Vote status as of" <<<"$out" && damaged="a cut vote cache shown" ;;
            result:show*) grep -qx "Result" <<<"$out" && damaged="a cut result cache shown" ;;
          esac
        fi
        if [ -n "$damaged" ]; then record cache "$damaged" "$what"; else record cache ok "$what"; fi
      done
    done
    cp "$orig" "$xml"
  done
}

# ----------------------------------------------------------------- parallel
parallel_writers() {
  local i pids=() rcs=() table="$prog/SysData/TeamName3.dat" d="$work/p"
  rm -f "$table"
  for ((i = 0; i < writers; i++)); do
    (cd "$work/cwd" && timeout 60 "$cli" team-add "CampaignClub$i" "CC$i" >/dev/null 2>&1) &
    pids+=($!)
  done
  for ((i = 0; i < writers; i++)); do wait "${pids[$i]}"; rcs[i]=$?; done
  for ((i = 0; i < writers; i++)); do
    local there=0 what="team-add $i of $writers (exit ${rcs[$i]})"
    LC_ALL=C grep -qa "= CampaignClub$i"$'\r'"\$" "$table" 2>/dev/null && there=1
    if [ "${rcs[$i]}" -ge 128 ]; then record lock "crash" "$what"
    elif [ "${rcs[$i]}" -eq 0 ] && [ $there = 0 ]; then record lock "reported added, but lost" "$what"
    elif [ "${rcs[$i]}" -ne 0 ] && [ $there = 1 ]; then record lock "reported failed, but kept" "$what"
    else record lock ok "$what"; fi
  done
  if head -1 "$table" 2>/dev/null | LC_ALL=C grep -qa "^;Pendralcove TeamName User Data File"; then
    record lock ok "TeamName3.dat header"
  else
    record lock "header line lost" "TeamName3.dat header"
  fi

  # Imports into one document while others read it.
  rm -rf "$d" && mkdir -p "$d"
  cp "$samples/sample-guarantee.tpd" "$d/doc.tpd"
  local lines=""
  for ((i = 0; i < writers; i++)); do
    lines+="$((i % 3)),$((i / 3 % 3)),$((i / 9 % 3)),0,1"$'\r\n'
    printf '%s' "$lines" >"$d/c$i.csv"
  done
  pids=()
  (
    for ((i = 0; i < writers * 2; i++)); do
      (cd "$work/cwd" && timeout 60 "$cli" info "$d/doc.tpd" >/dev/null 2>&1) || echo "read $i failed"
    done
  ) >"$d/readers.txt" &
  local reader=$!
  for ((i = 0; i < writers; i++)); do
    (cd "$work/cwd" && timeout 60 "$cli" csv import "$d/doc.tpd" "$d/c$i.csv" >/dev/null 2>&1) &
    pids+=($!)
  done
  for ((i = 0; i < writers; i++)); do wait "${pids[$i]}"; rcs[i]=$?; done
  wait "$reader"
  local final
  final=$(tpd_singles "$d/doc.tpd")
  local matched=0
  for ((i = 0; i < writers; i++)); do
    [ "${rcs[$i]}" -ge 128 ] && record writer "crash (exit ${rcs[$i]})" "csv import $i"
    [ "${rcs[$i]}" -eq 0 ] && [ "$final" = "$((i + 1))" ] && matched=1
  done
  if [ "$matched" = 1 ]; then record writer ok "document after $writers imports"
  else record writer "document holds ${final:-nothing readable}, no import's singles" "document after $writers imports"; fi
  local failed_reads
  failed_reads=$(wc -l <"$d/readers.txt")
  for ((i = 0; i < writers * 2; i++)); do
    if [ "$i" -lt "$failed_reads" ]; then record writer "a reader found the document unreadable" "info during imports"
    else record writer ok "info during imports"; fi
  done
}

# ------------------------------------------------------------------- signal
# Starts the CLI in the background; waits `delay` seconds (or for `ready` in
# its output), sends the signal and collects the exit status into rc.
signal_run() {
  # The shell's notice of a job killed by a signal is no finding.
  signal_run_quiet "$@" 2>/dev/null
}
signal_run_quiet() {
  local sig="$1" delay="$2" ready="$3"
  shift 3
  (cd "$work/cwd" && exec timeout -k 5 120 "$cli" "$@") >"$work/out" 2>"$work/err" </dev/null &
  local pid=$! t=0
  # timeout runs the CLI as its child: the signal goes to the CLI itself,
  # once it is there.
  while ! pgrep -P "$pid" -x zelvomini-cli >/dev/null && [ $t -lt 100 ]; do
    sleep 0.02; t=$((t + 1))
  done
  t=0
  if [ -n "$ready" ]; then
    while ! grep -qF "$ready" "$work/out" 2>/dev/null && [ $t -lt 300 ] && kill -0 $pid 2>/dev/null; do
      sleep 0.1; t=$((t + 1))
    done
  fi
  sleep "$delay"
  pkill -"$sig" -P "$pid" -x zelvomini-cli 2>/dev/null
  wait "$pid" 2>/dev/null
  rc=$?
  out="$(cat "$work/out")"
  err="$(cat "$work/err")"
}

signal_code() { case "$1" in INT) echo 130 ;; TERM) echo 143 ;; KILL) echo 137 ;; esac; }

interrupts() {
  local d="$work/s" i sig sigs=(INT TERM KILL) before what code
  rm -rf "$d" && mkdir -p "$d"
  # The count optimisation over three singles never covers its targets: a
  # search that runs for its whole 100 seconds unless stopped.
  sed $'s/^MsEngine = 1\r$/MsEngine = 5\r\\\nSeBeginCount = 3\r\\\nSeEndTime = 100\r/' \
    "$samples/sample-guarantee.tpd" >"$d/long.tpd"
  cp "$d/long.tpd" "$d/long2.tpd"
  for ((i = 0; i < interrupts; i++)); do
    sig=${sigs[$((i % 3))]}
    code=$(signal_code "$sig")
    before="$(snapshot "$d")"
    signal_run "$sig" "0.$((RANDOM % 9))" "キャッシュ構築中" search "$d/long.tpd"
    what="search in place, SIG$sig"
    if [ "$rc" -ne "$code" ]; then record signal "exit $rc, not $code" "$what"
    elif [ "$(snapshot "$d")" != "$before" ]; then record signal "document changed" "$what"
    else record signal ok "$what"; fi

    signal_run "$sig" "0.$((RANDOM % 9))" "" search "$d/long.tpd" -o "$d/out.tpd"
    what="search -o, SIG$sig after start"
    if [ "$rc" -ne "$code" ]; then record signal "exit $rc, not $code" "$what"
    elif [ -e "$d/out.tpd" ]; then record signal "output written" "$what"
    elif [ "$(snapshot "$d")" != "$before" ]; then record signal "document changed" "$what"
    else record signal ok "$what"; fi

    signal_run "$sig" "0.$((RANDOM % 9))" "実行中" batch "$d/long.tpd" "$d/long2.tpd"
    what="batch, SIG$sig"
    if [ "$rc" -ne "$code" ]; then record signal "exit $rc, not $code" "$what"
    elif [ "$(snapshot "$d")" != "$before" ]; then record signal "document changed" "$what"
    elif [ "$sig" != KILL ] && ! grep -qF "  $d/long2.tpd" <<<"$err"; then record signal "rows not run not listed" "$what"
    else record signal ok "$what"; fi
  done

  # The proven minimum of all singles but one: a solver run of a minute
  # unless stopped, which must stop it within moments and claim nothing.
  LC_ALL=C awk 'BEGIN { for (i = 1; i < 243; i++) printf "%d,%d,%d,%d,%d\r\n", i % 3, int(i / 3) % 3, int(i / 9) % 3, int(i / 27) % 3, int(i / 81) % 3 }' >"$d/targets.csv"
  local t0
  for ((i = 0; i < (interrupts + 1) / 2; i++)); do
    sig=${sigs[$((i % 2))]}
    code=$(signal_code "$sig")
    t0=$SECONDS
    signal_run "$sig" "0.$((RANDOM % 9 + 1))" "" minimum --targets "$d/targets.csv" --time 60
    what="minimum, SIG$sig after start"
    if [ "$rc" -ne "$code" ]; then record signal "exit $rc, not $code" "$what"
    elif [ $((SECONDS - t0)) -gt 20 ]; then record signal "stopped only after $((SECONDS - t0)) s" "$what"
    elif grep -q "^minimum:" <<<"$out"; then record signal "a result after the interrupt" "$what"
    else record signal ok "$what"; fi
  done

  # Saves of a large document interrupted at any moment: afterwards it is the
  # old one or the new one, whole, and the next save goes through.
  local big="$d/big.tpd" old new elapsed
  LC_ALL=C awk -v n="$big_lines" 'BEGIN { for (i = 0; i < n; i++) printf "%d,%d,%d,%d,%d\r\n", i % 3, int(i / 3) % 3, int(i / 9) % 3, int(i / 27) % 3, int(i / 81) % 3 }' >"$d/big.csv"
  head -n $((big_lines / 2)) "$d/big.csv" >"$d/half.csv"
  run csv import "$big" "$d/big.csv"
  cp "$big" "$d/big.orig"
  old=$big_lines
  new=$((big_lines + big_lines / 2))
  local t0=$SECONDS
  run csv import "$big" "$d/half.csv" --add
  elapsed=$((SECONDS - t0 + 1))
  for ((i = 0; i < interrupts * 2; i++)); do
    cp "$d/big.orig" "$big"
    sig=${sigs[$((i % 3))]}
    code=$(signal_code "$sig")
    local delay
    delay=$(awk -v r="$RANDOM" -v e="$elapsed" 'BEGIN { printf "%.2f", r / 32768 * e }')
    signal_run "$sig" "$delay" "" csv import "$big" "$d/half.csv" --add
    local count
    count=$(tpd_singles "$big")
    what="csv import of $new singles, SIG$sig after ${delay}s (exit $rc)"
    if [ "$count" != "$old" ] && [ "$count" != "$new" ]; then record signal "document torn: ${count:-unreadable}" "$what"
    elif [ "$rc" -ne 0 ] && [ "$rc" -ne "$code" ]; then record signal "exit $rc" "$what"
    elif [ "$rc" -eq 0 ] && [ "$count" != "$new" ]; then record signal "success without the save" "$what"
    else record signal ok "$what"; fi

    cp "$d/big.orig" "$big"
    rm -f "$d/out.csv"
    signal_run "$sig" "$delay" "" csv export "$big" "$d/out.csv"
    what="csv export of $old singles, SIG$sig after ${delay}s (exit $rc)"
    if [ -e "$d/out.csv" ] && [ "$(wc -l <"$d/out.csv")" != "$old" ]; then record signal "torn output" "$what"
    elif [ "$rc" -eq 0 ] && [ ! -e "$d/out.csv" ]; then record signal "success without the output" "$what"
    elif [ "$rc" -ne 0 ] && [ "$rc" -ne "$code" ]; then record signal "exit $rc" "$what"
    else record signal ok "$what"; fi
  done
  cp "$d/big.orig" "$big"
  run csv import "$big" "$d/half.csv"
  if [ "$rc" -eq 0 ] && [ "$(tpd_singles "$big")" = "$((big_lines / 2))" ]; then
    record signal ok "a save after the killed ones"
  else
    record signal "the next save failed (exit $rc)" "a save after the killed ones"
  fi
  # What the killed saves left behind (and one such file more, should the
  # kills have missed every save) goes with a later save once it is old.
  head -c 1000 "$big" >"$d/.big.tpd.Kil1ed.tmp"
  local -a leftovers=("$d"/.big.tpd.??????.tmp)
  touch -d '1 hour ago' "${leftovers[@]}"
  run csv import "$big" "$d/half.csv"
  what="a save after killed saves (${#leftovers[@]} leftovers)"
  leftovers=("$d"/.big.tpd.??????.tmp)
  if [ -e "${leftovers[0]}" ]; then record writer "${#leftovers[@]} old leftovers kept" "$what"
  else record writer ok "$what"; fi
}

# -------------------------------------------------------------------- files
# Outputs aimed at inputs, links, read-only files and FIFOs, and relative paths.
output_files() {
  local d="$work/f" before what
  rm -rf "$d" && mkdir -p "$d"
  cp "$samples/sample-guarantee.tpd" "$d/g.tpd"
  run csv export "$d/g.tpd" "$d/mine.csv"
  printf '1,0,2,0,1\r\n' >"$d/other.csv"
  ln -s g.tpd "$d/g-link.tpd"

  cp "$d/g.tpd" "$work/g.pristine"
  cp "$d/mine.csv" "$work/mine.pristine"
  same_file() {
    before="$(snapshot "$d")"
    run "$@"
    what="$*"
    if crashed; then record same-file "$(crash_text)" "$what"
    elif [ "$rc" -eq 0 ]; then record same-file "an input overwritten with exit 0" "$what"
    elif [ "$(snapshot "$d")" != "$before" ]; then record same-file "an input changed" "$what"
    else record same-file ok "$what"; fi
    cp "$work/g.pristine" "$d/g.tpd"
    cp "$work/mine.pristine" "$d/mine.csv"
  }
  # A build without Qt prints no PDF: its print cases say nothing.
  local pdf=1
  run print "$d/g.tpd" --pdf "$work/probe.pdf"
  [ "$rc" -eq 0 ] || pdf=0
  rm -f "$work/probe.pdf"
  same_file csv export "$d/g.tpd" "$d/g.tpd"
  same_file csv export "$d/g.tpd" "$d/g-link.tpd"
  same_file lines intersect "$d/mine.csv" "$d/other.csv" -o "$d/mine.csv"
  same_file lines unique "$d/g.tpd" -o "$d/g.tpd"
  [ "$pdf" = 1 ] && same_file print "$d/g.tpd" --pdf "$d/g.tpd"

  # A batch queue holds each file once, however it is named; names that
  # differ in letter case are two files.
  cp "$d/g.tpd" "$d/G.tpd"
  local runs
  run batch "$d/g.tpd" "$d/./g.tpd" "$d/g-link.tpd" "$d/G.tpd"
  runs=$(grep -c $'\t''実行中$' <<<"$out")
  what="batch of g.tpd, ./g.tpd, a link to it and G.tpd"
  if crashed; then record same-file "$(crash_text)" "$what"
  elif [ "$runs" != 2 ]; then record same-file "$runs runs, not 2" "$what"
  else record same-file ok "$what"; fi
  cp "$work/g.pristine" "$d/g.tpd"
  rm -f "$d/G.tpd"

  # Paths typed by a user are relative to the current folder.
  local p
  local -a relative=("csv export $d/g.tpd rel.csv" "lines unique $d/mine.csv -o rel2.csv")
  [ "$pdf" = 1 ] && relative+=("print $d/g.tpd --pdf rel.pdf")
  for p in "${relative[@]}"; do
    before="$(snapshot "$prog")"
    # shellcheck disable=SC2086
    run $p
    local file=${p##* }
    what="$p, from another folder"
    if crashed; then record paths "$(crash_text)" "$what"
    elif [ "$rc" -ne 0 ]; then record paths "failed (exit $rc): ${err:0:160}" "$what"
    elif [ ! -e "$work/cwd/$file" ]; then record paths "not written in the current folder" "$what"
    elif [ "$(snapshot "$prog")" != "$before" ]; then record paths "the program folder changed" "$what"
    else record paths ok "$what"; fi
    rm -f "$work/cwd/$file" "$prog/$file"
  done

  # Writing over what is not a plain writable file of the user's.
  cp "$d/mine.csv" "$d/ro.csv"
  chmod 444 "$d/ro.csv"
  before="$(snapshot "$d")"
  run lines unique "$d/other.csv" -o "$d/ro.csv"
  what="output read-only (0444)"
  if [ "$rc" -eq 0 ] || [ "$(snapshot "$d")" != "$before" ]; then record writer "overwritten (exit $rc)" "$what"
  else record writer ok "$what"; fi
  rm -f "$d/ro.csv"

  mkfifo "$d/fifo.csv"
  LIMIT=20 run lines unique "$d/other.csv" -o "$d/fifo.csv"
  what="output a FIFO"
  if [ "$rc" -eq 124 ]; then record writer "hang" "$what"
  elif [ "$rc" -eq 0 ] || [ ! -p "$d/fifo.csv" ]; then record writer "replaced (exit $rc)" "$what"
  else record writer ok "$what"; fi
  rm -f "$d/fifo.csv"

  cp "$d/g.tpd" "$d/private.tpd"
  chmod 600 "$d/private.tpd"
  run csv import "$d/private.tpd" "$d/other.csv"
  what="in-place save of a 0600 document"
  if [ "$rc" -ne 0 ]; then record writer "failed (exit $rc): ${err:0:160}" "$what"
  elif [ "$(stat -c %a "$d/private.tpd")" != 600 ]; then record writer "mode now $(stat -c %a "$d/private.tpd")" "$what"
  else record writer ok "$what"; fi

  cp "$d/g.tpd" "$d/real.tpd"
  ln -s real.tpd "$d/link.tpd"
  run csv import "$d/link.tpd" "$d/other.csv"
  what="in-place save through a symlink"
  if [ "$rc" -ne 0 ]; then record writer "failed (exit $rc): ${err:0:160}" "$what"
  elif [ ! -L "$d/link.tpd" ]; then record writer "the link replaced by a file" "$what"
  elif [ "$(tpd_singles "$d/real.tpd")" != 1 ]; then record writer "the link's target not updated" "$what"
  else record writer ok "$what"; fi

  for p in new tmp; do
    printf 'the user'"'"'s own file\n' >"$d/g.tpd.$p"
  done
  before="$(md5sum "$d/g.tpd.new" "$d/g.tpd.tmp" 2>&1)"
  run csv import "$d/g.tpd" "$d/other.csv"
  what="a user's g.tpd.new beside the document"
  if [ "$rc" -ne 0 ]; then record writer "failed (exit $rc): ${err:0:160}" "$what"
  elif [ "$(md5sum "$d/g.tpd.new" "$d/g.tpd.tmp" 2>&1)" != "$before" ]; then record writer "the user's file consumed" "$what"
  else record writer ok "$what"; fi
}

# Singles files in the forms users bring them: what a reader takes must be
# what the file holds, and a file it cannot take is refused with its name.
odd_singles_files() {
  local d="$work/o" f c what before expect
  rm -rf "$d" && mkdir -p "$d"
  printf '1;0;2;0;1\r\n2;2;2;2;2\r\n' >"$d/semicolons.csv"
  printf '1\t0\t2\t0\t1\r\n' >"$d/tabs.csv"
  printf '1,0,2,0,1\r2,2,2,2,2\r' >"$d/cr-only.csv"
  printf '\357\273\2771,0,2,0,1\r\n2,2,2,2,2\r\n' >"$d/bom.csv"
  printf '\377\376' >"$d/utf16.csv"; printf '1,0,2,0,1\r\n' | iconv -f ASCII -t UTF-16LE >>"$d/utf16.csv"
  printf 'h1,h2,h3,h4,h5\r\n1,0,2,0,1\r\n' >"$d/header.csv"
  printf ' 1 , 0 , 2 , 0 , 1 \r\n\r\n1,0,2,0\r\n' >"$d/blanks.csv"
  printf '1,0,2,0,1\r\n1,0,3,0,1\r\n' >"$d/three.csv"
  { head -c 300000 /dev/zero | tr '\0' 1; printf '\r\n1,0,2,0,1\r\n'; } >"$d/long-line.csv"
  printf '1,0,2,0,1\r\n\0002,2,2,2,2\r\n' >"$d/nul.csv"
  cp "$samples/sample-guarantee.tpd" "$d/doc.tpd"
  for f in "$d"/*.csv; do
    expect=$(expected_csv "$f")
    # The file's name tells the round and group only in the program's form.
    for c in "coverage @F" "lines unique @F" "compress --engine 1 --targets @F" \
      "print --singles @F --list" "csv import $d/doc.tpd @F --add"; do
      before="$(snapshot "$d")"
      # shellcheck disable=SC2086
      run ${c//@F/$f}
      what="$(basename "$f") ($expect): $c"
      if crashed; then record formats "$(crash_text)" "$what"
      elif [ "$expect" = bad ] || [ "$expect" = none ]; then
        if [ "$rc" -eq 0 ]; then record formats "success on a file without singles" "$what"
        elif ! grep -qF "$f" <<<"$err"; then record formats "refused without the file's name" "$what"
        elif [ "$(snapshot "$d")" != "$before" ]; then record formats "files changed by a refused command" "$what"
        else record formats ok "$what"; fi
      elif [ "$rc" -ne 0 ]; then record formats "refused a file with readable singles (exit $rc)" "$what: ${err:0:120}"
      elif [[ "$c" == coverage* ]] && ! grep -q "^Bought: $expect singles" <<<"$out"; then
        record formats "wrong count: $(head -1 <<<"$out")" "$what"
      else record formats ok "$what"; fi
    done
  done

  # The program's own names of current rounds have four digits.
  run csv export "$samples/sample-guarantee.tpd" "$d/Zmini-1487B.csv"
  rm -f "$d/new.tpd"
  run csv import "$d/new.tpd" "$d/Zmini-1487B.csv"
  run info "$d/new.tpd"
  if grep -q "^Group: B" <<<"$out" && grep -q "^Round: 1487" <<<"$out"; then record formats ok "csv import of Zmini-1487B.csv"
  else record formats "not a document of 1487 B: $(head -2 <<<"$out" | tr '\n' ' ')" "csv import of Zmini-1487B.csv"; fi
  run chances "$d/Zmini-1487B.csv"
  if [ "$rc" -eq 0 ] && grep -q "round 1487 B" <<<"$out"; then record formats ok "chances Zmini-1487B.csv"
  else record formats "exit $rc: ${err:0:120}" "chances Zmini-1487B.csv"; fi
}

IFS=, read -r -a wanted <<<"$only"
timings=""
for part in "${wanted[@]}"; do
  part_start=$SECONDS
  case "$part" in
    truncate) truncate_documents; truncate_csv; truncate_tables ;;
    cache) truncate_caches ;;
    parallel) parallel_writers ;;
    signal) interrupts ;;
    files) output_files; odd_singles_files ;;
    *) echo "campaign: unknown part $part" >&2; exit 64 ;;
  esac
  timings+=" $part $((SECONDS - part_start)) s,"
done

total=0
failed=0
echo "campaign ($size, seed $seed, $((SECONDS - start_time)) s:${timings%,}):"
for class in $(printf '%s\n' "${!cases[@]}" | sort); do
  printf '  %-10s %5d cases %5d failures\n' "$class" "${cases[$class]}" "${fails[$class]:-0}"
  total=$((total + cases[$class]))
  failed=$((failed + ${fails[$class]:-0}))
done
printf '  %-10s %5d cases %5d failures\n' total "$total" "$failed"
if [ "$failed" -gt 0 ]; then
  echo "failures by kind (count, class, kind, first case):"
  LC_ALL=C sort -t$'\t' -k1,2 -s "$failures_log" |
    awk -F'\t' '{ key = $1 "\t" $2; if (!(key in n)) { order[++k] = key; first[key] = $3 } n[key]++ }
      END { for (i = 1; i <= k; i++) { split(order[i], p, "\t")
        printf "  %4d %-10s %s\n         e.g. %s\n", n[order[i]], p[1], p[2], first[order[i]] } }'
  [ "$keep" = 1 ] && echo "all failures: $failures_log"
  exit 1
fi
