#!/bin/sh
# Installs the library into a temporary prefix, builds the consumer project
# against it with find_package, and runs it in a temporary home.
# Arguments: build folder of the library, source folder of the consumer,
# compiler flags, linker flags.
set -eu
build=$1 source=$2 cxxflags=$3 ldflags=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S "$source" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$work/build" >/dev/null
test -f "$work/prefix/lib/pkgconfig/fennimar.pc" || test -f "$work"/prefix/lib*/pkgconfig/fennimar.pc
cp "$work/prefix/share/fennimar/Fennimar.xml" "$work/build/"
XDG_CONFIG_HOME="$work/config" HOME="$work" "$work/build/consumer" "$work/settings/Fennimar.xml"
test -f "$work/settings/Fennimar.xml"
