#!/bin/sh
# Installs the project into a temporary prefix and checks that the settings
# window comes with its menu entry and icon and starts from the prefix.
# Argument: the build folder.
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$1" --prefix "$work/prefix" >/dev/null
test -f "$work/prefix/share/applications/fennimar-settings.desktop"
test -f "$work/prefix/share/icons/hicolor/scalable/apps/fennimar-settings.svg"
grep -q '^Exec=fennimar-settings$' "$work/prefix/share/applications/fennimar-settings.desktop"
QT_QPA_PLATFORM=offscreen "$work/prefix/bin/fennimar-settings" --version |
  grep -q '^fennimar-settings '
