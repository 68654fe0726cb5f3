# Helpers for end-to-end tests of Setup.exe under Wine. Sourced by every tests/wine/*.test
# script, which run-all starts with these variables set:
#   ROOT          the source tree
#   WINE_EXE_DIR  where Setup.exe is (tests/ below it holds winauto.exe, contract_tests.exe)
#   WINE_TEMPLATE the template prefix (made once per run by run-all)
#   TEST_WORK     a scratch directory of this test, emptied before it runs
#   DISPLAY       the Xvfb display
#   FAMILY        the Windows family of this run: win95, win98, winme or nt40 (the test's
#                 "# families:" line says which; unset for a test that sets versions itself)
# Wine's own programs are run by `wine_run` (the loader of this machine, see README.md).
# shellcheck shell=bash

SETUP_EXE="$WINE_EXE_DIR/Setup.exe"
WINAUTO_EXE="$WINE_EXE_DIR/tests/winauto.exe"
CONTRACT_EXE="$WINE_EXE_DIR/tests/contract_tests.exe"
WINE_TIMEOUT=${WINE_TIMEOUT:-120}

# ---- The Windows family ----

# The family that Setup.exe is to see (Windows 98 when a test runs outside run-all).
FAMILY=${FAMILY:-win98}
case "$FAMILY" in
win95 | win98 | winme | nt40) ;;
*) echo "lib.sh: unknown FAMILY $FAMILY (win95, win98, winme or nt40)" >&2; exit 2 ;;
esac
# family_is_nt: true under Windows NT 4.0, where the program offers only the applications
# and the unattended installation and the driver update end at once, silently.
family_is_nt() { [ "$FAMILY" = nt40 ]; }
# APPS_DIR: the directory of the family's applications in an installation tree (W95-98 or
# NT40; Windows 95, 98 and ME share one).
if family_is_nt; then APPS_DIR=NT40; else APPS_DIR=W95-98; fi

# ---- Wine itself ----

# The Wine loader of this machine: the 32-bit one where the kernel runs 32-bit programs,
# else the 64-bit one (then the .exe files are the x86-64 twins).
wine_loader() {
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo /usr/lib/wine/wine
    else
        echo /usr/lib/wine/wine64
    fi
}
WINE_LOADER=${WINE_LOADER:-$(wine_loader)}
case "$WINE_LOADER" in
*64) export WINESERVER=/usr/lib/wine/wineserver64 WINEARCH=win64 ;;
*) export WINESERVER=/usr/lib/wine/wineserver32 WINEARCH=win32 ;;
esac
export WINELOADER="$WINE_LOADER"
export WINEDEBUG=${WINEDEBUG:--all}
# No prompts to install Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="

# wine_run PROGRAM ARGS...: runs a Windows program in the current prefix, waits for it and
# returns its exit code.
wine_run() { timeout "$WINE_TIMEOUT" "$WINE_LOADER" "$@"; }

# ---- Prefixes ----

# make_prefix NAME [VERSION]: a fresh copy of the template as $TEST_WORK/NAME, made the
# current prefix (WINEPREFIX), with drive C at $DRIVE_C; VERSION (win95, win98, winme,
# nt40, winxp ...) as in set_windows_version.
make_prefix() {
    local name=$1 version=${2:-}
    export WINEPREFIX="$TEST_WORK/$name"
    rm -rf "$WINEPREFIX"
    cp -a "$WINE_TEMPLATE" "$WINEPREFIX"
    DRIVE_C="$WINEPREFIX/drive_c"
    [ -z "$version" ] || set_windows_version "$version"
}

# set_windows_version VERSION [PROGRAM]: the Windows version that Wine reports, for every
# program of the prefix or only for PROGRAM (e.g. Setup.exe).
set_windows_version() {
    local key='HKCU\Software\Wine'
    [ -z "${2:-}" ] || key="HKCU\\Software\\Wine\\AppDefaults\\$2"
    wine_run reg add "$key" /v Version /d "$1" /f >/dev/null
}

# stop_prefix: ends every process of the current prefix.
stop_prefix() { "$WINESERVER" -k >/dev/null 2>&1 || true; }

# win_path UNIX_PATH_BELOW_DRIVE_C -> C:\... (for messages and registry values)
win_path() { local p=${1#"$DRIVE_C"}; p=${p//\//\\}; echo "C:${p:-\\}"; }
# unix_path 'C:\dir\file' -> the file below $DRIVE_C
unix_path() { local p=${1#[Cc]:}; p=${p//\\//}; echo "$DRIVE_C$p"; }

# ---- Files and the installation tree ----

# lay_tree SOURCE_DIR 'C:\dir': copies a directory tree into the prefix.
lay_tree() {
    local target
    target=$(unix_path "$2")
    mkdir -p "$target"
    cp -a "$1/." "$target/"
}

# put_file 'C:\dir\file' TEXT: writes TEXT (printf %b: \r\n for DOS line ends).
put_file() {
    local target
    target=$(unix_path "$1")
    mkdir -p "$(dirname "$target")"
    printf '%b' "$2" >"$target"
}

# same_file A B: true when both files have the same bytes; says how they differ otherwise.
same_file() { cmp "$1" "$2" || { diff <(od -c "$1") <(od -c "$2") | head -20; return 1; }; }

# ---- Registry ----

# import_reg FILE: imports a .reg file (REGEDIT4 or Windows Registry Editor 5.00).
import_reg() { wine_run regedit /S "$(winepath_of "$1")"; }

# reg_query KEY [VALUE]: prints `wine reg query` output; fails when the key (or value) is
# missing.
reg_query() {
    if [ -n "${2:-}" ]; then wine_run reg query "$1" /v "$2"; else wine_run reg query "$1"; fi
}
# reg_has KEY: true when the key exists.
reg_has() { reg_query "$1" >/dev/null 2>&1; }
# reg_value KEY VALUE: the value's data alone.
reg_value() {
    reg_query "$1" "$2" 2>/dev/null | tr -d '\r' |
        awk -v v="$2" 'index($0, v) { sub(/^ *[^ ]+ +REG_[A-Z_]+ */, ""); print; exit }'
}
# reg_export KEY FILE: regedit /E of KEY into FILE (UTF-16 as Wine writes it).
reg_export() { wine_run regedit /E "$(winepath_of "$2")" "$1"; }

# winepath_of UNIX_PATH: the path as the Windows side sees it (Z: for paths outside C:).
winepath_of() {
    case "$1" in
    "$DRIVE_C"*) win_path "$1" ;;
    /*) local p=${1//\//\\}; echo "Z:$p" ;;
    *) winepath_of "$PWD/$1" ;;
    esac
}

# ---- Setup.exe and its windows ----

# start_setup 'C:\start\dir' [ARGS...]: copies Setup.exe into the start directory and
# starts it there in the background; SETUP_PID is the loader's process.
start_setup() {
    local dir
    dir=$(unix_path "$1")
    shift
    mkdir -p "$dir"
    cp "$SETUP_EXE" "$dir/Setup.exe"
    (cd "$dir" && exec timeout "$WINE_TIMEOUT" "$WINE_LOADER" Setup.exe "$@") \
        >"$TEST_WORK/setup.out" 2>&1 &
    SETUP_PID=$!
}

# wait_setup: waits for Setup.exe to end; its exit code (124: timeout) in SETUP_CODE, and
# printed. Call it in the test's own shell, never inside $(...): only the shell that started
# Setup.exe can wait for it.
wait_setup() {
    SETUP_CODE=0
    wait "$SETUP_PID" || SETUP_CODE=$?
    echo "$SETUP_CODE"
}

# winauto ARGS...: the automation helper (see tests/win32/winauto.cpp): find, list, click,
# command, syscommand, msgbox, gone.
winauto() { wine_run "$WINAUTO_EXE" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# wait_window TITLE [TIMEOUT_MS]
wait_window() { winauto find "$1" "${2:-30000}" >/dev/null; }

# answer_msgbox CAPTION [BUTTON_ID]: prints "caption: ..." and "text: ..." and presses the
# button (IDOK by default).
answer_msgbox() { winauto msgbox "$1" "${2:-1}" "${3:-30000}"; }

# screenshot FILE.png: the whole Xvfb screen.
screenshot() { import -display "$DISPLAY" -window root "$1"; }

# Pictures of windows go to PICTURE_DIR (build/pictures unless set; PICTURE_DIR=$PWD/docs
# refreshes the pictures kept in docs/).
PICTURE_DIR=${PICTURE_DIR:-$ROOT/build/pictures}

# decorate_windows: Wine draws the caption and frame of its windows itself (there is no
# window manager on the test display), so that pictures show them.
decorate_windows() {
    wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null
}

# window_picture TITLE NAME.png: the picture of the top-level window titled exactly TITLE,
# caption and frame included, saved as PICTURE_DIR/NAME.png.
window_picture() {
    local window
    mkdir -p "$PICTURE_DIR"
    window=$(xdotool search --name "^$1\$" | head -n 1)
    [ -n "$window" ] && import -display "$DISPLAY" -window "$window" "$PICTURE_DIR/$2"
}

# ---- Checks ----

# expect_eq ACTUAL EXPECTED WHAT: prints a failure and counts it.
CHECK_FAILURES=0
expect_eq() {
    if [ "$1" != "$2" ]; then
        echo "FAIL: $3: got [$1], expected [$2]"
        CHECK_FAILURES=$((CHECK_FAILURES + 1))
    fi
}
expect_true() {
    local what=$1
    shift
    "$@" || { echo "FAIL: $what"; CHECK_FAILURES=$((CHECK_FAILURES + 1)); }
}
# finish: ends the test with the outcome of its checks.
finish() {
    stop_prefix
    [ "$CHECK_FAILURES" = 0 ]
    exit $?
}
