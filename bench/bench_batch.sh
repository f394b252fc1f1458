#!/bin/sh
# stk_batch end to end on 1 000 000 articles (time, rows per second) and on a
# file of about 1 GB (peak resident memory, which stays flat: the list streams).
#
#     bench/bench_batch.sh [BUILD_DIR] [WORK_DIR]
set -eu
build=${1:-build}
work=${2:-$(mktemp -d)}
here=$(dirname "$0")
exe="$build/batch/stk_batch"

[ -f "$work/articles_1m.csv" ] || python3 "$here/make_articles.py" 1000000 "$work/articles_1m.csv"
[ -f "$work/articles_1g.csv" ] || python3 "$here/make_articles.py" 15000000 "$work/articles_1g.csv"

echo "1 000 000 articles ($(du -h "$work/articles_1m.csv" | cut -f1)):"
if command -v hyperfine >/dev/null; then
    hyperfine --warmup 1 --runs 5 "$exe $work/articles_1m.csv -o $work/out.csv"
else
    /usr/bin/time -f "%e s" "$exe" "$work/articles_1m.csv" -o "$work/out.csv"
fi

echo "About 1 GB ($(du -h "$work/articles_1g.csv" | cut -f1)):"
/usr/bin/time -f "%e s elapsed, %U s user, peak resident memory %M KB" \
    "$exe" "$work/articles_1g.csv" -o "$work/out.csv"
rm -f "$work/out.csv"
