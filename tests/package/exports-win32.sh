#!/bin/sh
# Fails when the DLL exports anything but the public classes (the names in its
# export table, demangled).
# Arguments: the objdump and c++filt of the cross toolchain, the DLL.
set -eu
objdump=$1 cxxfilt=$2 library=$3
names=$("$objdump" -p "$library" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | "$cxxfilt")
if [ -z "$names" ]; then
  echo "no export table in $library"; exit 1
fi
unexpected=$(echo "$names" |
  grep -v -E '^(CString|CFileException|FennimarDllInterface|FennimarDocumentHold|FennimarLocations|FennimarRules)::' |
  grep -v -E '^(typeinfo|typeinfo name|vtable) for (CString|CFileException|FennimarDllInterface)$' |
  grep -v -E '^operator(\+|==|!=)\(CString const&' || true)
if [ -n "$unexpected" ]; then
  echo "unexpected exported symbols:"; echo "$unexpected"; exit 1
fi
echo "exports: only the public classes ($(echo "$names" | wc -l) names)"
