# Helpers of the full-setup tests (tests/wine/fullsetup-*.test), sourced after lib.sh: a
# prefix in which Setup.exe sees the test's family, with the installation tree at C:\SETUP\
# whose applications' setup program (in the family's directory, W95-98\app or NT40\app) is
# our fullsetup-appsetup.exe, the previous applications' uninstaller registered, companion
# applications to start, and the log that these programs write (C:\fullsetup.log).
# shellcheck shell=bash

SETUP_TITLE="PCI Audio Device Driver And Applications Setup Program"
TEST_PROGRAMS="$WINE_EXE_DIR/tests"
TREE='C:\SETUP'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZOD Oriva Vovazivevadi'
UNINSTALLER='C:\Program Files\ZOD\Uninst.exe'
IDC_INSTALL_APPS=1001
IDC_INSTALL_DRIVER=1002
IDOK=1

INF_TEXT='[Version]\r\nSignature="$CHICAGO$"\r\n[SourceDisksNames]\r\n1="Orvane Driver Disk",,0\r\n'

# APPS_SETUP: the applications' setup program of the family in the tree.
APPS_SETUP="$TREE\\$APPS_DIR\\app\\Setup.exe"

# fullsetup_prefix NAME [APPSETUP_OPTIONS]: the prefix, the family for programs named
# Setup.exe; the tree with DOS files, Windows driver files (one INF), "026\" and the
# family's applications' setup program with its options (lines of fullsetup-appsetup.ini's
# [run]).
fullsetup_prefix() {
    make_prefix "$1"
    set_windows_version "$FAMILY" Setup.exe
    put_file "$TREE\\Dosdrv\\ORVDOS.SYS" 'dos driver'
    put_file "$TREE\\Dosdrv\\DOSAPP\\ORVMIX.EXE" 'dos mixer'
    put_file "$TREE\\W95-98\\drv\\ORVANE.INF" "$INF_TEXT"
    put_file "$TREE\\W95-98\\drv\\SNDCORE.VXD" 'vxd'
    put_file "$TREE\\W95-98\\drv\\026\\BANK026.DAT" 'bank'
    local apps="$TREE\\$APPS_DIR\\app"
    mkdir -p "$(unix_path "$apps")"
    cp "$TEST_PROGRAMS/fullsetup-appsetup.exe" "$(unix_path "$APPS_SETUP")"
    cp "$TEST_PROGRAMS/apps-companion.exe" "$(unix_path "$apps\\apps-companion.exe")"
    put_file "$apps\\fullsetup-appsetup.ini" "[run]\r\n${2:-}"
    mkdir -p "$(unix_path 'C:\Program Files\ZOD')"
    cp "$TEST_PROGRAMS/fullsetup-uninstaller.exe" "$(unix_path "$UNINSTALLER")"
    wine_run reg add "$UNINSTALL_KEY" /v UninstallString /d "$UNINSTALLER" /f >/dev/null
    LOG=$(unix_path 'C:\fullsetup.log')
    rm -f "$LOG"
}

# start_companion TITLE [ignore-close]: starts a companion application and waits for its
# window.
start_companion() {
    # Wine quotes an argument with blanks when it builds the Windows command line.
    (exec "$WINE_LOADER" "$TEST_PROGRAMS/apps-companion.exe" "$1" ${2:-}) \
        >>"$TEST_WORK/companions.out" 2>&1 &
    wait_window "$1"
}

# press_ok APPS DRIVER: waits for the setup dialog, sets the boxes (on/off) by clicking those
# that differ from their start (both checked; on NT the driver box unchecked and disabled,
# so DRIVER must be off there), and presses OK.
press_ok() {
    wait_window "$SETUP_TITLE" || { echo "FAIL: the setup dialog did not appear"; return 1; }
    if family_is_nt && [ "$2" = on ]; then
        echo "FAIL: press_ok: the driver box cannot be checked on NT"
        return 1
    fi
    [ "$1" = on ] || winauto click "$SETUP_TITLE" $IDC_INSTALL_APPS
    [ "$2" = on ] || family_is_nt || winauto click "$SETUP_TITLE" $IDC_INSTALL_DRIVER
    winauto click "$SETUP_TITLE" $IDOK
}

# end_of_setup: waits for Setup.exe to end; its exit code in SETUP_CODE. (wait_setup cannot
# run in a command substitution: the subshell is not the parent of Setup.exe.)
end_of_setup() {
    SETUP_CODE=0
    wait "$SETUP_PID" || SETUP_CODE=$?
}

# log_events: the log without its ticks ("WHO: WHAT" lines).
# Wine quotes a program path with blanks in the command line it hands on; the quotes are
# dropped here.
log_events() { [ -f "$LOG" ] && tr -d '\r"' <"$LOG" | cut -d' ' -f2-; }
# log_has TEXT: a log line holds TEXT.
log_has() { log_events | grep -qF -- "$1"; }
# wait_log TEXT [SECONDS]: waits until a log line holds TEXT.
wait_log() {
    local i
    for i in $(seq $((${2:-30} * 20))); do
        log_has "$1" && return 0
        sleep 0.05
    done
    echo "FAIL: no log line with [$1]"
    log_events
    return 1
}

# handshake_running: RUNNING of TXASETUP.INI in the Windows directory.
handshake_running() {
    tr -d '\r' <"$(unix_path 'C:\windows\TXASETUP.INI')" | sed -n 's/^RUNNING=//p'
}

# expect_staged ['C:\INF\DIR']: the driver files in the staging tree and the INF copy (in
# the Windows INF directory by default) pointed at it.
expect_staged() {
    local inf_dir=${1:-'C:\windows\inf'}
    expect_true "DOS file staged" test -f "$(unix_path 'C:\Orvane\DOS\ORVDOS.SYS')"
    expect_true "DOS application staged" test -f "$(unix_path 'C:\Orvane\DOS\DOSAPP\ORVMIX.EXE')"
    expect_true "driver file staged" test -f "$(unix_path 'C:\Orvane\W95-98\SNDCORE.VXD')"
    expect_true "026 file staged" test -f "$(unix_path 'C:\Orvane\W95-98\026\BANK026.DAT')"
    expect_eq "$(tr -d '\r' <"$(unix_path "$inf_dir\\ORVANE.INF")" | sed -n 's/^1=//p')" \
        '"Orvane Driver Disk",,0, C:\Orvane\W95-98' "INF copy's source disk"
}

expect_not_staged() {
    expect_true "nothing staged" test ! -e "$(unix_path 'C:\Orvane')"
}
