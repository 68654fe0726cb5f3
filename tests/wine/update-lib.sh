# Helpers of the driver update tests (tests/wine/update-*.test), sourced after lib.sh: a
# flat update package, the sound banks of the previous driver in the system directory, and
# the update dialog driven through winauto.
# shellcheck shell=bash

UPDATE_TITLE="PCI Audio Device Driver Setup Program for Windows 95/98"
IDOK=1
IDC_MIDI_PORT=1000
IDC_GAME_PORT=1001
IDC_FOUR_JACK=1002

# The package's INF file: the three options in their default state, CR LF lines.
UPDATE_INF='[Version]\r\nSignature="$CHICAGO$"\r\n[SourceDisksNames]\r\n1="Orvane Driver Disk",,0\r\n[Orvane.AddReg]\r\nHKR,Config,DISMPU,1,0\r\nHKR,Config,DISJSTK,1,0\r\nHKR,Config,LINEINasREAR,1,1\r\n'

# update_prefix NAME: a prefix in which programs named Setup.exe see the test's family, with
# the previous driver's INF file in the INF directory.
update_prefix() {
    make_prefix "$1"
    set_windows_version "$FAMILY" Setup.exe
    put_file 'C:\windows\inf\OEM7.INF' \
        '[Strings]\r\nTQR-Legacy.DeviceDesc="Orvane Legacy Audio"\r\n'
}

# lay_package UNIX_DIR FULLPACKAGE: the flat package in UNIX_DIR, with Setup.exe.
lay_package() {
    mkdir -p "$1/026"
    printf '[InstallOption]\r\nWebSetup=1\r\nFullPackage=%s\r\n' "$2" >"$1/Setup.ini"
    printf '%b' "$UPDATE_INF" >"$1/ORVANE.INF"
    printf 'new vxd' >"$1/SNDCORE.VXD"
    printf 'bank 026' >"$1/026/BANK026.DAT"
    cp "$SETUP_EXE" "$1/Setup.exe"
}

# add_sound_banks: the previous driver's sound banks in the system directory that Setup.exe
# sees (system32; syswow64 as well where 32-bit programs have their own).
add_sound_banks() {
    local dir
    for dir in system32 syswow64; do
        [ -d "$DRIVE_C/windows/$dir" ] || continue
        printf 'installed sample bank' >"$DRIVE_C/windows/$dir/BANKSMP.DAT"
        printf 'installed table bank' >"$DRIVE_C/windows/$dir/BANKINDX.DAT"
    done
}

# start_update UNIX_DIR: starts Setup.exe in the package directory, in the background.
start_update() {
    (cd "$1" && exec timeout "$WINE_TIMEOUT" "$WINE_LOADER" Setup.exe) \
        >"$TEST_WORK/setup.out" 2>&1 &
    SETUP_PID=$!
}

# expect_exit CODE WHAT: waits for Setup.exe and checks its exit code.
expect_exit() {
    wait_setup >"$TEST_WORK/exit-code"
    expect_eq "$(cat "$TEST_WORK/exit-code")" "$1" "$2"
}

# expect_nothing_changed: no staging tree, no INF copy, the previous driver's INF is there.
expect_nothing_changed() {
    expect_true "no staging tree" test ! -e "$DRIVE_C/Orvane"
    expect_true "no INF copy" test ! -e "$DRIVE_C/windows/inf/ORVANE.INF"
    expect_true "the previous driver's INF is still there" test -e "$DRIVE_C/windows/inf/OEM7.INF"
}

# expect_silent_end_on_nt WHAT: on NT "Install" ends the program at once: no message (one
# would hold Setup.exe until WINE_TIMEOUT), exit code 0, nothing changed.
expect_silent_end_on_nt() {
    expect_exit 0 "$1: NT: exit code after Install, without a message"
    expect_nothing_changed
}
