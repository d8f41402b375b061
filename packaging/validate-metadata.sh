#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks one of the files that tell the desktop and the software centres about Kestrune.
# Usage:
#   validate-metadata.sh desktop   FILE.desktop PROGRAM ICON-NAME
#   validate-metadata.sh metainfo  FILE.metainfo.xml VERSION DESKTOP-ID
#   validate-metadata.sh changelog CHANGELOG VERSION
# Exits 77 (reported as skipped by CTest) when the validator it needs is not installed.
set -uo pipefail

skip=77
failed=0
fail() {
    echo "FAILED: $*" >&2
    failed=1
}
need() {
    if ! command -v "$1" >/dev/null 2>&1; then
        echo "SKIPPED: $1 is not installed (scripts/install-deps.sh $2)"
        exit $skip
    fi
}

mode=$1
file=$2
case "$mode" in
desktop)
    program=$3
    icon=$4
    need desktop-file-validate desktop-file-utils
    desktop-file-validate "$file" || fail "desktop-file-validate reports problems in $file"
    # The launcher must start the installed program by name and show the installed icon.
    exec_line=$(sed -n 's/^Exec=//p' "$file")
    [ "${exec_line%% *}" = "$program" ] || fail "Exec= starts '${exec_line%% *}', not '$program'"
    icon_line=$(sed -n 's/^Icon=//p' "$file")
    [ "$icon_line" = "$icon" ] || fail "Icon= is '$icon_line', not '$icon'"
    ;;
metainfo)
    version=$3
    desktop_id=$4
    need appstreamcli appstream
    appstreamcli validate --no-net "$file" || fail "appstreamcli reports problems in $file"
    # Software centres show the first release as the current one.
    first_release=$(grep -o '<release [^>]*version="[^"]*"' "$file" | head -n 1 |
        sed 's/.*version="\([^"]*\)"/\1/')
    [ "$first_release" = "$version" ] ||
        fail "the newest release listed is '$first_release', the program is $version"
    grep -q "<launchable type=\"desktop-id\">$desktop_id</launchable>" "$file" ||
        fail "the launchable is not $desktop_id"
    ;;
changelog)
    version=$3
    # dpkg and lintian read the package's version history from the top entry.
    top=$(head -n 1 "$file")
    [[ "$top" =~ ^kestrune\ \(([^\)]*)\) ]] || fail "the first line is not a changelog entry: $top"
    [ "${BASH_REMATCH[1]:-}" = "$version" ] ||
        fail "the newest changelog entry is '${BASH_REMATCH[1]:-}', the program is $version"
    if command -v dpkg-parsechangelog >/dev/null 2>&1; then
        dpkg-parsechangelog --file "$file" >/dev/null || fail "dpkg-parsechangelog cannot read $file"
    fi
    ;;
*)
    echo "unknown check: $mode" >&2
    exit 2
    ;;
esac
[ $failed -eq 0 ] && echo "PASSED: $mode $file"
exit $failed
