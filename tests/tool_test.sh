#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The kavo-catalog command line: outputs and exit codes of each command.
set -u
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { [ "$2" = "$3" ] || fail "$1 (exit $3, expected $2)"; } # description, expected exit code, actual one

"$tool" parse "$data/worked_example.md" >"$work/cache.json"; check "parse" 0 $?
"$tool" decode "$work/cache.json" >"$work/again.json"; check "decode" 0 $?
cmp -s "$work/cache.json" "$work/again.json" || fail "decode does not reproduce the cache"

sed 's/"badge":"star"/"badge":"Star"/' "$work/cache.json" >"$work/bad.json"
"$tool" decode "$work/bad.json" >"$work/out" 2>"$work/err"; check "decode refuses" 1 $?
[ ! -s "$work/out" ] || fail "refused decode printed output"
grep -q 'entries\[0\].badge' "$work/err" && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "refusal should be one line naming the key: $(cat "$work/err")"

"$tool" stats "$work/cache.json" >"$work/stats-cache"; check "stats cache" 0 $?
"$tool" stats "$data/worked_example.md" >"$work/stats-page"; check "stats page" 0 $?
[ "$(tail -n 1 "$work/stats-cache")" = "$(tail -n 1 "$work/stats-page")" ] || fail "stats differ between page and its cache"
grep -Eq '^Total: 2 categories +1 +3 +1$' "$work/stats-page" || fail "totals: $(tail -n 1 "$work/stats-page")"

printf '# \xe2\x96\xba A\n* [a](/a)\n' >"$work/clean.md"
"$tool" lint "$work/clean.md" >"$work/lint"; check "lint clean" 0 $?
printf '# \xe2\x96\xba A\n* no link\n' >"$work/dirty.md"
"$tool" lint "$work/dirty.md" >"$work/lint"; check "lint finding" 1 $?
grep -q "^2: " "$work/lint" || fail "lint line: $(cat "$work/lint")"

# search: the main screen's lists for a query, in the cache form; ids aside, a golden answer.
without_ids() { sed -E 's/"id":"[^"]*",//g' "$1"; }
"$tool" search "$work/cache.json" "" >"$work/all"; check "search, empty query" 0 $?
[ "$(without_ids "$work/all")" = "$(without_ids "$work/cache.json" | sed -E 's/^\[(.*),(\{"title":"Tools".*)\]$/{"categories":[\1],"links":[\2]}/')" ] &&
  [ "$(grep -o '"id":"[^"]*"' "$work/all" | sort)" = "$(grep -o '"id":"[^"]*"' "$work/cache.json" | sort)" ] || fail "an empty query should give the whole catalogue, split: $(cat "$work/all")"
# "ORT" lowercased finds "Gamma" by its description "Sports"; "Alpha" and "Tools" have no match.
"$tool" search "$work/cache.json" "ORT" >"$work/found"; check "search" 0 $?
[ "$(without_ids "$work/found")" = '{"categories":[{"title":"Streaming","entries":[],"sections":[{"title":"Live","note":"Region locked","entries":[{"name":"Gamma","url":"/gamma","description":"Sports","badge":"none","relatedLinks":[{"name":"Delta","url":"/delta"}]}]}]}],"links":[]}' ] || fail "search result: $(cat "$work/found")"
# The category a search keeps is a new one; its section, entry and link keep their ids.
[ "$(grep -o '"id":"[^"]*"' "$work/found" | sort | comm -12 - <(grep -o '"id":"[^"]*"' "$work/cache.json" | sort) | wc -l)" -eq 3 ] || fail "ids of a search result: $(cat "$work/found")"
"$tool" search "$data/worked_example.md" "Sports " >"$work/none"; check "search, no match" 0 $?
[ "$(cat "$work/none")" = '{"categories":[],"links":[]}' ] || fail "a query is not trimmed: $(cat "$work/none")"

# diff: by link, as the app marks what is new; a move to another category is no change.
printf '# \xe2\x96\xba A\n* [One](/1)\n* [Two](/2) - old\n* [Three](/3)\n' >"$work/old.md"
printf '# \xe2\x96\xba A\n* [Two](/2) - new\n* [Four](/4)\n# \xe2\x96\xba B\n* [One](/1)\n' >"$work/new.md"
"$tool" parse "$work/old.md" >"$work/old.json"
"$tool" diff "$work/old.json" "$work/new.md" >"$work/diff"; check "diff" 0 $?
entry() { printf '{"name":"%s","url":"/%s",%s"badge":"none","relatedLinks":[],"category":"A"}' "$@"; }
[ "$(without_ids "$work/diff")" = "{\"added\":[$(entry Four 4)],\"removed\":[$(entry Three 3)],\"changed\":[$(entry Two 2 '"description":"new",')]}" ] ||
  fail "diff: $(cat "$work/diff")"
"$tool" diff "$work/new.md" "$work/new.md" >"$work/same"; check "diff, no change" 0 $?
[ "$(cat "$work/same")" = '{"added":[],"removed":[],"changed":[]}' ] || fail "diff of a page with itself: $(cat "$work/same")"

"$tool" parse "$work/missing.md" 2>/dev/null; check "missing file" 1 $?
"$tool" parse "$work" 2>/dev/null; check "a directory" 1 $?
"$tool" parse "$data/worked_example.md" >/dev/full 2>/dev/null; check "a full disk" 1 $?
"$tool" frobnicate x 2>/dev/null; check "unknown command" 2 $?

echo "$failures failed"
[ "$failures" -eq 0 ]
