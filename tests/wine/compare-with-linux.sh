#!/usr/bin/env bash
# Runs every command of tolvane-cli on the example libraries twice, with the Linux build and
# with the Windows build under Wine, each in a copy of the examples, and compares standard
# output, standard error and exit status byte for byte, then every file the runs left.
#   compare-with-linux.sh LINUX_CLI WINDOWS_CLI EXAMPLES_FOLDER
# Exits 77 (skipped) when there is no Linux build to compare with.
set -uo pipefail
linux=$1 windows=$2 examples=$3
if [[ ! -x $linux ]]; then
    echo "no Linux build of tolvane-cli at $linux to compare with"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$examples" "$work/linux"
cp -r "$examples" "$work/windows"

failures=0
# compare [<INPUT] ARGUMENTS...: one call on both sides.
compare() {
    local input=/dev/null
    if [[ ${1-} == "<"* ]]; then
        input=${1#<}
        shift
    fi
    (cd "$work/linux" && "$linux" "$@" <"$input" >"$work/linux.out" 2>"$work/linux.err"
        echo "exit $?" >>"$work/linux.err")
    (cd "$work/windows" && /usr/lib/wine/wine64 "$windows" "$@" <"$input" >"$work/windows.out" \
        2>"$work/windows.err"
        echo "exit $?" >>"$work/windows.err")
    local stream
    for stream in out err; do
        if ! cmp -s "$work/linux.$stream" "$work/windows.$stream"; then
            echo "tolvane-cli $*: standard ${stream/err/error} differs (Linux, then Windows):"
            diff <(od -c "$work/linux.$stream") <(od -c "$work/windows.$stream") | head -20
            failures=$((failures + 1))
        fi
    done
}

compare
compare --help
compare --version
compare info fehlt.gui
compare info gfx
compare resave Menu.gui gfx
compare check Menu.gui Showcase.gui fehlt.gui
compare slice --help
for library in $(cd "$examples" && echo *.gui); do
    name=${library%.gui}
    compare info "$library"
    compare check "$library"
    compare header "$library" -
    compare header "$library" "$name.h"
    compare dump "$library"
    compare dump "$library" "$name.json"
    compare build "$name.json" "$name-built.gui"
    compare "<$work/linux/$name.json" build - "$name-piped.gui"
    compare resave "$library" -
    compare resave "$library" "$name-resaved.gui"
    compare slice "$library" --resource 1000 --texture 0 --grid 32x32 -o "$name-grid.gui"
    compare slice "$library" --resource 1000 --texture 0 --auto --replace -o "$name-auto.gui"
    compare nineslice "$library" --resource 1000 --area 0 --margins 4,4,4,4 --size 96x48 \
        -o "$name-nine.gui"
    compare header "$library" "$library"
done
cd "$work" || exit 1
if ! diff -r linux windows; then
    echo "the runs left different files"
    failures=$((failures + 1))
fi
echo "$failures difference(s)"
((failures == 0))
