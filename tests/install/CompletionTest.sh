#!/usr/bin/env bash
# The bash completion of tolvane-cli (the file given as $1): the commands first, then .gui
# libraries and folders, a .h file as the output of header, nothing after the last argument,
# the options of slice and nineslice.
set -euo pipefail
export LC_ALL=C
source "$1"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder"
touch Menu.gui Other.gui Menu.h notes.txt
mkdir gfx

offered() {
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _tolvane_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' '
}

status=0
expect() {
    local wanted=$1
    shift
    local got
    got=$(offered "$@")
    if [[ $got != "$wanted" ]]; then
        echo "$* <Tab>: offered '$got', expected '$wanted'"
        status=1
    fi
}

expect "--help --version check header info nineslice resave slice" tolvane-cli ""
expect "check" tolvane-cli ch
expect "Menu.gui Other.gui gfx" tolvane-cli check ""
expect "Menu.gui Other.gui gfx" tolvane-cli check Menu.gui ""
expect "Menu.gui" tolvane-cli info M
expect "" tolvane-cli info Menu.gui ""
expect "Menu.gui Other.gui gfx" tolvane-cli resave Menu.gui ""
expect "Menu.h gfx" tolvane-cli header Menu.gui ""

expect "Menu.gui Other.gui gfx" tolvane-cli slice ""
expect "--grid" tolvane-cli slice Menu.gui --gr
expect "--merge --merge-overlapping" tolvane-cli slice Menu.gui --auto --merge
expect "" tolvane-cli slice Menu.gui --grid ""
expect "Menu.gui Other.gui gfx" tolvane-cli slice Menu.gui --auto -o ""
expect "Menu.gui Other.gui gfx" tolvane-cli nineslice ""
expect "--area --margins --no-centre --resize --resource --size -o" tolvane-cli nineslice Menu.gui ""
expect "--resize --resource" tolvane-cli nineslice Menu.gui --res
expect "" tolvane-cli nineslice Menu.gui --size ""
expect "Menu.gui Other.gui gfx" tolvane-cli nineslice Menu.gui -o ""
exit "$status"
