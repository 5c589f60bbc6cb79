#!/bin/sh
# The command as a person feels it: the whole process of
# `fennimar switches get sound-effect` against `git config --file F --get
# core.x` on a small file, started RUNS times each, in turn, on the same
# machine. Writes JSON for bench/report.py.
#   bench/command.sh BUILD_DIR OUT.json [RUNS]
set -eu
build=$1 out=$2 runs=${3:-500}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" HOME="$work"
fennimar="$build/bin/fennimar"
"$fennimar" dump >/dev/null  # installs the template and clears the first-use flag
printf '[core]\n\tx = 1\n' >"$work/git.conf"
now() { date +%s%N; }
fen=0 git=0 i=0
while [ "$i" -lt "$runs" ]; do
  t0=$(now); "$fennimar" switches get sound-effect >/dev/null
  t1=$(now); git config --file "$work/git.conf" --get core.x >/dev/null
  t2=$(now)
  fen=$((fen + t1 - t0)) git=$((git + t2 - t1)) i=$((i + 1))
done
cat >"$out" <<JSON
{"runs": $runs, "fennimar_ms": $(awk "BEGIN { printf \"%.3f\", $fen / $runs / 1000000 }"),
 "git_ms": $(awk "BEGIN { printf \"%.3f\", $git / $runs / 1000000 }"),
 "fennimar": "fennimar switches get sound-effect", "git": "git config --file F --get core.x"}
JSON
