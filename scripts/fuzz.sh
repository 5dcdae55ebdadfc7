#!/usr/bin/env bash
# Builds the libFuzzer targets with clang 14 in build-fuzz/ and runs every
# target for SECONDS each (default 60), one after the other.
#   scripts/fuzz.sh [SECONDS] [KIND...]     e.g. scripts/fuzz.sh 600 document csv
# The committed corpus fuzz/corpus/KIND seeds each run and is never written;
# new inputs collect in build-fuzz/corpus/KIND, findings in
# build-fuzz/findings/KIND/.  A finding's file belongs in fuzz/corpus/KIND
# once fixed, so that the replay tests keep it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true

scripts/install-deps.sh clang-14 libclang-rt-14-dev

dir=build-fuzz
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 -DZELVO_FUZZ=ON -DZELVO_WITH_QT=OFF \
    -DZELVO_BUILD_TESTS=OFF -DZELVO_BUILD_BENCH=OFF
fi
cmake --build "$dir" -j"${ZELVO_JOBS:-2}"

kinds=("$@")
if [ ${#kinds[@]} -eq 0 ]; then
  for f in fuzz/*_fuzz.cc; do
    k="$(basename "$f" _fuzz.cc)"
    kinds+=("$k")
  done
fi
status=0
for k in "${kinds[@]}"; do
  mkdir -p "$dir/corpus/$k" "$dir/findings/$k"
  echo "== $k: ${seconds}s"
  if ! "$dir/fuzz/fuzz_$k" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="$dir/findings/$k/" \
      "$dir/corpus/$k" "fuzz/corpus/$k" 2>"$dir/fuzz-$k.log"; then
    echo "   FINDING: see $dir/fuzz-$k.log and $dir/findings/$k/"
    status=1
  fi
  grep -E 'stat::(number_of_executed_units|average_exec_per_sec)' "$dir/fuzz-$k.log" | sed 's/^/   /'
done
exit $status
