#!/bin/sh
# What the built library shows the dynamic linker: its SONAME, and exactly the
# names of the list, each declared with ZEPHLIN_API in the public header.
# usage: dynamic_interface_test.sh LIBRARY HEADER NAMES SONAME
set -eu
library=$1
header=$2
names=$3
soname=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

grep -v '^#' "$names" | sed '/^$/d' | sort >"$work/listed"
nm -D --defined-only "$library" | awk '{ print $NF }' | sort >"$work/exported"
sed -n 's/^ZEPHLIN_API [^(]*[ *]\([A-Za-z_][A-Za-z0-9_]*\)(.*/\1/p' "$header" | sort >"$work/declared"

failed=0
if ! diff -u "$work/listed" "$work/exported"; then
    echo "the exported names (+) differ from the list (-)" >&2
    failed=1
fi
if ! diff -u "$work/listed" "$work/declared"; then
    echo "the names declared in the header (+) differ from the list (-)" >&2
    failed=1
fi
actual=$(readelf -d "$library" | sed -n 's/.*Library soname: \[\(.*\)\].*/\1/p')
if [ "$actual" != "$soname" ]; then
    echo "the SONAME is '$actual', expected '$soname'" >&2
    failed=1
fi
exit $failed
