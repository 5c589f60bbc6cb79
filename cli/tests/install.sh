#!/bin/sh
# Installs the build into a temporary prefix and runs the installed fennimar
# in a temporary home: it must find the library, the template in the
# prefix's shared data through XDG_DATA_DIRS, its manual page and its
# completion.
# Argument: the build folder.
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
test -f "$work/prefix/share/fennimar/Fennimar.xml"
test ! -e "$work/prefix/bin/Fennimar.xml"
test -f "$work/prefix/share/man/man1/fennimar.1"
test -f "$work/prefix/share/bash-completion/completions/fennimar"
export XDG_CONFIG_HOME="$work/config" HOME="$work" XDG_DATA_DIRS="$work/prefix/share"
"$work/prefix/bin/fennimar" --version | grep -q '^fennimar '
"$work/prefix/bin/fennimar" apps | grep -q 'Web browser'
test -f "$work/config/fennimar/Fennimar.xml"
