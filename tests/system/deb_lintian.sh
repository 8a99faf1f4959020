#!/usr/bin/env bash
# Debian's own checks on the package that the package test built: lintian, pedantic, with the
# informational tags shown; any error or warning fails.
set -euo pipefail
out=${1:?usage: deb_lintian.sh OUT_DIR}
command -v lintian >/dev/null || { echo "FAIL: lintian is missing (scripts/test.sh installs it)" >&2; exit 1; }
changes=$(ls "$out"/kandorex_*.changes 2>/dev/null || true)
if [ -z "$changes" ]; then
    echo "SKIPPED LOUDLY: no package in $out; the package test (system.deb_install) builds it and was skipped or failed" >&2
    exit 77
fi
lintian --version
# The binary .changes brings in the .buildinfo and both .debs; the source one the .dsc.
# shellcheck disable=SC2086
if lintian -I --pedantic --fail-on error,warning $changes; then
    echo "PASS: lintian: no error, no warning"
else
    echo "FAIL: lintian found errors or warnings (above)"
    exit 1
fi
