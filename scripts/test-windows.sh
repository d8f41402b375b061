#!/usr/bin/env bash
# Tests the Windows build that scripts/build-windows.sh left in build-windows/, under Wine, in a
# fresh Wine prefix with Wine's own fonts in it (as a Windows machine has its own) on a virtual
# X display:
#   - the unit tests (GoogleTest programs);
#   - every golden transcript through kestrune-script.exe, byte for byte (the texts that name
#     files or give the system's reasons are Windows' own: tests/windows/platform-texts.tsv);
#   - kestrune-calc.exe against the Linux build on 1,000 random escalators and the triangle cases,
#     byte for byte; its report has the report's text; its arguments are read in Unicode;
#   - kestrune.exe's help, version and errors, which name Windows' window system;
#   - the installer, silently: the installed program answers --version, the uninstaller leaves
#     nothing behind;
#   - a real window on Wine's desktop with the `windows` platform, its screenshot in docs/.
# Prints "N passed, M failed" last; exits with 1 when any test failed.
# Usage: scripts/test-windows.sh [TEST-NAME-PATTERN]
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-windows
bin=$build/bin
pattern=${1:-}

bash scripts/install-deps.sh --tests wine wine64 fonts-wine xvfb xauth imagemagick \
    poppler-utils python3 || exit 1
version=$(sed -n 's/^project(Kestrune VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
installer=$build/Kestrune-$version-setup.exe
if [ ! -x "$bin/kestrune-script.exe" ] || [ ! -f "$installer" ]; then
    echo "test-windows: build-windows/ has no Windows build; run scripts/build-windows.sh" >&2
    exit 1
fi
# The Linux kestrune-calc the Windows one is compared with.
if [ ! -x build/bin/kestrune-calc ]; then
    bash scripts/build.sh || exit 1
fi

work=$(mktemp -d /tmp/kestrune-windows-test.XXXXXX)
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and Wine would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=
cleanup() {
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null; fi
    rm -rf "$work"
}
trap cleanup EXIT

# A display of its own: the first free number from 90 on.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=:$display
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done

say() { printf '%s test-windows: %s\n' "$(date +%H:%M:%S)" "$*"; }
say "a fresh Wine prefix in $WINEPREFIX"
wineboot --init >/dev/null 2>&1
wineserver -w
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"

passed=0
failed=0
# check NAME COMMAND...: runs one test; its output is shown when it fails.
check() {
    local name=$1 output status
    shift
    if [ -n "$pattern" ] && [[ ! $name =~ $pattern ]]; then return; fi
    output=$("$@" 2>&1)
    status=$?
    if [ $status -eq 0 ]; then
        passed=$((passed + 1))
        echo "PASS $name"
    else
        failed=$((failed + 1))
        echo "FAIL $name (status $status)"
        printf '%s\n' "$output" | tail -n 40 | sed 's/^/    /'
    fi
}
windows_path() { winepath -w "$1" 2>/dev/null; }
# A Windows program under Wine, stopped after 5 minutes should it hang.
win() { timeout 300 wine "$@"; }
# Wine's own messages about the Unix side go to standard error; the programs' do too, so each
# test reads the program's standard error only where it checks it.

# --- Unit tests ----------------------------------------------------------------------------------
# captions_test: the windows take the face they were laid out for, which Windows has.
unit_test() {
    local program=$1
    if [ "$(basename "$program")" = captions_test.exe ]; then
        KESTRUNE_EXPECTED_FONT="MS Sans Serif" win "$program" --gtest_brief=1
    else
        win "$program" --gtest_brief=1
    fi
}
for program in "$bin"/*_test.exe; do
    check "unit.$(basename "$program" .exe)" unit_test "$program"
done

# --- Golden transcripts --------------------------------------------------------------------------
golden() {
    local script=$1 name expected actual
    name=$(basename "$script" .ks)
    actual=$work/golden/$name.actual
    mkdir -p "$work/golden"
    (cd "$work/golden" && win "$bin/kestrune-script.exe" "$(windows_path "$root/$script")" \
        >"$actual" 2>"$work/golden/$name.err") || {
        cat "$work/golden/$name.err"
        return 1
    }
    python3 tests/windows/golden_on_windows.py --texts tests/windows/platform-texts.tsv \
        --build "$(windows_path "$build")" --expected "${script%.ks}.out" --actual "$actual"
}
for script in tests/golden/*.ks; do
    check "golden.$(basename "$script" .ks)" golden "$script"
done

# --- kestrune-calc -------------------------------------------------------------------------------
check "calc.same_as_linux" python3 tests/cli/compare_platforms.py \
    --calc "$root/build/bin/kestrune-calc" --other "wine $bin/kestrune-calc.exe" \
    --count 1000 --triangles 150 --seed 1 --work "$work/calc"

# The report has the report's text: the same words as the Linux program's report.
report_text() {
    local fleet=$work/report/fleet.csv
    mkdir -p "$work/report"
    printf 'id,units,projection,rise,width,degrees,minutes\n"Escalator 1",imperial,100,50,24,30,0\n"Escalator 2",metric,30,17.32,800,30,0\n' >"$fleet"
    build/bin/kestrune-calc report --csv "$fleet" --pdf "$work/report/linux.pdf" \
        --date 2026-03-14 --paper a4 || return 1
    (cd "$work/report" && win "$bin/kestrune-calc.exe" report --csv fleet.csv \
        --pdf windows.pdf --date 2026-03-14 --paper a4) || return 1
    # The date is written in the user's short date format, which is the locale's: only its
    # presence is compared.
    pdftotext -raw "$work/report/linux.pdf" - | sed 's/^Date: .*2026$/Date: <date>/' \
        >"$work/report/linux.txt"
    pdftotext -raw "$work/report/windows.pdf" - | sed 's/^Date: .*2026$/Date: <date>/' \
        >"$work/report/windows.txt"
    if ! grep -q 'Escalator 2' "$work/report/windows.txt"; then
        echo "the Windows report has no text:"
        head -c 300 "$work/report/windows.txt"
        return 1
    fi
    diff -u "$work/report/linux.txt" "$work/report/windows.txt"
}
check "calc.report_has_its_text" report_text

check "calc.version_without_carriage_return" bash -c '
    [ "$(timeout 300 wine "$0" --version | od -c | head -1)" = "$(printf "kestrune-calc %s\n" "$1" | od -c | head -1)" ]
' "$bin/kestrune-calc.exe" "$version"

# --- kestrune.exe's command line -----------------------------------------------------------------
program_help() {
    local text
    text=$(win "$bin/kestrune.exe" --help) || return 1
    printf '%s\n' "$text" | grep -q -- '-platform NAME      the window system: windows' || {
        echo "no Windows window system named:"
        printf '%s\n' "$text"
        return 1
    }
    if printf '%s\n' "$text" | grep -E 'xcb|[Ww]ayland|DISPLAY|xvfb|fonts-|man kestrune|'$'\r'; then
        echo "names what Windows does not have (above)"
        return 1
    fi
}
check "program.help_names_windows" program_help
check "program.version" bash -c '[ "$(wine "$0" --version)" = "kestrune $1" ]' \
    "$bin/kestrune.exe" "$version"
program_usage_error() {
    local status
    win "$bin/kestrune.exe" --no-such-option >"$work/usage.out" 2>"$work/usage.err"
    status=$?
    [ $status -eq 2 ] && grep -q "^kestrune: Unknown option '--no-such-option'" "$work/usage.err" &&
        [ ! -s "$work/usage.out" ] || {
        echo "status $status"
        cat "$work/usage.out" "$work/usage.err"
        return 1
    }
}
check "program.usage_error" program_usage_error
# Without a display: on Wine's desktop the program does not come back from Qt's failure to load
# the window system (Windows itself has no such difference).
program_bad_platform() {
    local status
    env -u DISPLAY timeout 60 wine "$bin/kestrune.exe" -platform nosuch >/dev/null \
        2>"$work/platform.err"
    status=$?
    [ $status -eq 1 ] &&
        grep -q 'the window system "nosuch" could not be started; choose windows or offscreen' \
            "$work/platform.err" || {
        echo "status $status"
        cat "$work/platform.err"
        return 1
    }
}
check "program.unknown_window_system" program_bad_platform
# The user guide is found in doc\ beside the program, as the zip file and the installer lay it out:
# the scripted driver, put into the zip's folder, opens it from there.
guide_beside_program() {
    local folder=$work/guide/Kestrune-$version-windows-x64 transcript expected
    rm -rf "$work/guide"
    mkdir -p "$work/guide"
    (cd "$work/guide" && unzip -q "$build/Kestrune-$version-windows-x64.zip") || return 1
    cp "$bin/kestrune-script.exe" "$folder/"
    cp -n "$bin"/*.dll "$folder/"
    cp -n "$bin/platforms/qoffscreen.dll" "$folder/platforms/"
    printf 'menu mnuGuide\n' >"$work/guide/guide.ks"
    transcript=$(win "$folder/kestrune-script.exe" "$(windows_path "$work/guide/guide.ks")") ||
        return 1
    expected="guide \"file:///$(windows_path "$folder" | tr '\\' /)/doc/user-guide.html\""
    [ "$(printf '%s\n' "$transcript" | grep '^guide')" = "$expected" ] || {
        printf 'expected %s\ngot:\n%s\n' "$expected" "$transcript"
        return 1
    }
}
check "program.user_guide_beside_the_program" guide_beside_program

# --- The installer -------------------------------------------------------------------------------
installed_dir=$WINEPREFIX/drive_c/Program\ Files/Kestrune
start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Kestrune
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrune'
install_silently() {
    (cd "$WINEPREFIX/drive_c" && find . | LC_ALL=C sort) >"$work/drive-before-install"
    win "$installer" /S || return 1
    wineserver -w
    [ -f "$installed_dir/kestrune.exe" ] || { echo "no kestrune.exe in $installed_dir"; return 1; }
    [ -f "$installed_dir/doc/user-guide.html" ] || { echo "no user guide"; return 1; }
    [ -f "$start_menu/Kestrune.lnk" ] && [ -f "$start_menu/Kestrune User Guide.lnk" ] || {
        echo "no Start-menu entries in $start_menu"
        return 1
    }
    local key
    key=$(wine reg query "$uninstall_key" /reg:64 2>/dev/null | tr -d '\r')
    printf '%s\n' "$key" | grep -q "DisplayVersion.*$version" &&
        printf '%s\n' "$key" | grep -q 'Publisher.*Kestrune developers' || {
        echo "the installed programs' entry lacks version or publisher:"
        printf '%s\n' "$key"
        return 1
    }
    # The installed folder is the zip's folder and the uninstaller, file for file.
    diff <(cd "$installed_dir" && find . -type f | grep -v '^./uninstall.exe$' | sort) \
        <(cd "$build/Kestrune-$version-windows-x64" && find . -type f | sort)
}
check "installer.installs_silently" install_silently
check "installer.installed_program_answers" bash -c '
    [ "$(timeout 300 wine "C:\\Program Files\\Kestrune\\kestrune.exe" --version)" = "kestrune $0" ] &&
    [ "$(timeout 300 wine "C:\\Program Files\\Kestrune\\kestrune-calc.exe" --version)" = "kestrune-calc $0" ]
' "$version"
uninstall_silently() {
    win "C:\\Program Files\\Kestrune\\uninstall.exe" /S || return 1
    # The uninstaller runs from a copy of itself in the temporary folder: wait for it.
    wineserver -w
    local left=0
    if [ -e "$installed_dir" ]; then
        echo "left behind:"
        find "$installed_dir"
        left=1
    fi
    if [ -e "$start_menu" ]; then
        echo "Start menu left behind: $start_menu"
        left=1
    fi
    if wine reg query "$uninstall_key" /reg:64 >/dev/null 2>&1; then
        echo "the installed programs' entry is still there"
        left=1
    fi
    if wine reg query 'HKLM\Software\Kestrune' /reg:64 >/dev/null 2>&1; then
        echo "HKLM\\Software\\Kestrune is still there"
        left=1
    fi
    # Nothing else on drive C: either, its temporary folders included, but for the empty folder
    # in which NSIS's uninstaller ran a copy of itself, which Windows removes at the next start.
    diff "$work/drive-before-install" <(cd "$WINEPREFIX/drive_c" && find . |
        grep -v -E '^\./users/[^/]+/Temp/~nsu[0-9A-Za-z]*\.tmp$' | LC_ALL=C sort) || left=1
    return $left
}
check "installer.uninstalls_everything" uninstall_silently

# --- A real window -------------------------------------------------------------------------------
# The main window from the zip's folder with Windows' own window system (Wine's desktop), shown
# until its first paint is complete, then captured.
screenshot() {
    local folder=$work/zip shot=$root/docs/main-window-windows.png
    rm -rf "$folder"
    mkdir -p "$folder"
    (cd "$folder" && unzip -q "$build/Kestrune-$version-windows-x64.zip") || return 1
    win "$folder/Kestrune-$version-windows-x64/kestrune.exe" -platform windows \
        >"$work/window.log" 2>&1 &
    local pid=$! window=
    for _ in $(seq 60); do
        window=$(xwininfo -root -tree 2>/dev/null |
            grep -m1 -E '"Tolvane ' | awk '{print $1}')
        [ -n "$window" ] && break
        sleep 0.5
    done
    if [ -z "$window" ]; then
        echo "no window appeared"
        cat "$work/window.log"
        wineserver -k
        return 1
    fi
    sleep 2
    import -window "$window" "$work/window.png" || return 1
    wineserver -k
    wait "$pid" 2>/dev/null
    # The window has its controls drawn: many colours, not a blank frame.
    local colours
    colours=$(convert "$work/window.png" -format '%k' info:)
    if [ "$colours" -lt 8 ]; then
        echo "the window shows $colours colours only"
        return 1
    fi
    cp "$work/window.png" "$shot"
    echo "saved $shot ($(identify -format '%wx%h' "$shot"), $colours colours)"
}
check "window.screenshot" screenshot

echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
