#!/bin/sh
# Fails when the shared library exports anything but the public classes.
set -eu
library=$1
unexpected=$(nm -D --defined-only -C "$library" | awk '{ $1 = ""; $2 = ""; print }' |
  grep -v -E '^ *(CString|CFileException|FennimarDllInterface|FennimarDocumentHold|FennimarLocations|FennimarRules)::' |
  grep -v -E '^ *(typeinfo|typeinfo name|vtable) for (CString|CFileException|FennimarDllInterface)$' |
  grep -v -E '^ *operator(\+|==|!=)\(CString const&' || true)
if [ -n "$unexpected" ]; then
  echo "unexpected exported symbols:"; echo "$unexpected"; exit 1
fi
echo "exports: only the public classes"
