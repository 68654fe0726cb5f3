# Helpers of the unattended-installation tests (tests/wine/unattended-*.test): the example
# previous installation (examples/machine) imported into a prefix, the example installation
# tree (examples/tree) laid out on drive C, Setup.exe run in the driver-only mode, and the
# checks of what it changed. Sourced after lib.sh.
# shellcheck shell=bash

EXAMPLES="$ROOT/examples"
# Not C:\ORVANE: that is the staging tree (names on drive C ignore case).
TREE='C:\SETUPCD'
COMPLETED='Setup completed! The system will restart now!'
FILES_MISSING='Can not find installation files.'

# Keys of the previous driver that the installation deletes, and keys of another vendor
# beside them that stay.
PREVIOUS_KEYS=(
    'HKLM\System\CurrentControlSet\services\Class\MEDIA\0001'
    'HKLM\System\CurrentControlSet\services\Class\MEDIA\0002'
    'HKLM\System\CurrentControlSet\control\MediaResources\aux\ORVWAVE.DRV<0001>'
    'HKLM\System\CurrentControlSet\control\MediaResources\midi\UARTPORT.DRV<0001>'
    'HKLM\System\CurrentControlSet\control\MediaResources\midi\SYNTHDR.DRV<0002>'
    'HKLM\System\CurrentControlSet\control\MediaResources\mixer\ORVWAVE.DRV<0001>'
    'HKLM\System\CurrentControlSet\control\MediaResources\wave\ORVWAVE.DRV<0001>'
    'HKLM\System\CurrentControlSet\control\MediaResources\wave\WAVEDRV.DRV<0002>'
    'HKLM\Enum\PCI\VEN_4D2A&DEV_0120&SUBSYS_20004D2A&REV_01'
    'HKLM\Enum\PCI\VEN_4D2A&DEV_0121&SUBSYS_20004D2A&REV_01'
    'HKLM\Enum\VIRTUAL\TQR-SWMIDI'
    'HKLM\Enum\VIRTUAL\TQR-DOSEMU'
    'HKLM\Enum\VIRTUAL\TQR-LEGACY'
    'HKLM\Enum\VIRTUAL\TQR-SBEMU'
    'HKLM\Enum\VIRTUAL\TQR-JOYSTK'
    'HKCR\Spatial'
    'HKCR\CLSID\{D8F1EEE0-F634-11CF-8700-00A0245D918B}'
)
OTHER_VENDORS_KEYS=(
    'HKLM\System\CurrentControlSet\services\Class\MEDIA\0000'
    'HKLM\System\CurrentControlSet\control\MediaResources\midi\JOYMIDI.DRV<0000>'
    'HKLM\Enum\PCI\VEN_8086&DEV_7110'
    'HKCR\CLSID\{5E3A1C20-7B41-11D2-9C4E-0060B0C4A3D1}'
)
# The previous driver's system files, each with the name Windows 9x gives it at the restart.
SYSTEM_RENAMES=(
    SPATIAL.DLL=SPATIAL.OLD PSX.DLL=PSX.OLD SPX.DLL=SPX.OLD SNDCR2.VXD=SCR2VXD.OLD
    SNDCORE.VXD=SNDCORE.OLD TONEGEN2.DRV=TGEN2DRV.OLD TONEGEN.DRV=TONEGEN.OLD
    UARTX.EXE=UARTX.OLD UARTPORT.DRV=UARTPORT.OLD WAVEDRV.DRV=WAVEDRV.OLD
    SYNTHDR.DRV=SYNTHDR.OLD UARTEMU.VXD=UARTEMU.OLD BANKINDX.DAT=BANKINDX.OLD
    BANKSMP.DAT=BANKSMP.OLD SNDSETUP.COM=SNDSETUP.OLD SYNTH32P.DLL=SYNTH32.OLD
    SYNTHPCI.DLL=SYNTHPCI.OLD
)

# import_previous_installation: the example machine's registry and its files below the
# Windows directory (system files, old INF files in INF\OTHER, WIN.INI with a run entry).
import_previous_installation() {
    local win="$DRIVE_C/windows" image="$EXAMPLES/machine/drives/C/WINDOWS"
    import_reg "$EXAMPLES/machine/registry.reg"
    mkdir -p "$win/system" "$win/inf/OTHER"
    cp "$image"/SYSTEM/* "$win/system/"
    cp "$image"/INF/OTHER/* "$win/inf/OTHER/"
    cp "$image/WIN.INI" "$win/win.ini"
}

# lay_example_tree: the example installation tree at $TREE.
lay_example_tree() { lay_tree "$EXAMPLES/tree" "$TREE"; }

# run_unattended [ARGS...]: starts Setup.exe in $TREE, reads and answers the message box it
# shows (MSGBOX: "caption: ...\ntext: ..."), waits for it (SETUP_EXIT) and then for every
# process of the prefix, wineboot's restart work included.
run_unattended() {
    start_setup "$TREE" "$@"
    MSGBOX=$(answer_msgbox Setup 1 30000)
    # wait_setup must run in this shell, the parent of Setup.exe's loader.
    wait_setup >"$TEST_WORK/exit-code"
    SETUP_EXIT=$(cat "$TEST_WORK/exit-code")
    "$WINESERVER" -w
}

# run_silent [ARGS...]: the same for a run that shows no message box (one that did would
# keep Setup.exe waiting until the timeout, exit code 124).
run_silent() {
    start_setup "$TREE" "$@"
    wait_setup >"$TEST_WORK/exit-code"
    SETUP_EXIT=$(cat "$TEST_WORK/exit-code")
    "$WINESERVER" -w
}

# files_of_c: the names of drive C's files, Setup.exe in the tree aside (start_setup puts it
# there).
files_of_c() {
    (cd "$DRIVE_C" && find . -path ./users -prune -o -print |
        grep -v "^./${TREE#C:\\}/Setup.exe\$" | sort)
}

# run_nt [ARGS...]: on Windows NT the unattended installation ends at once with exit code 0,
# without a message, and changes nothing: the previous driver stays, nothing is staged, no
# file of drive C comes or goes. Runs Setup.exe in $TREE and checks all of that.
run_nt() {
    local before
    before=$(files_of_c)
    run_silent "$@"
    expect_eq "$SETUP_EXIT" 0 "NT: exit code"
    expect_previous_driver_kept
    expect_true "NT: no staging tree" test ! -e "$DRIVE_C/Orvane"
    expect_eq "$(files_of_c)" "$before" "NT: the files of drive C"
}

# expect_absent WHAT COMMAND...: fails the check when COMMAND succeeds.
expect_absent() {
    local what=$1
    shift
    if "$@"; then
        echo "FAIL: $what"
        CHECK_FAILURES=$((CHECK_FAILURES + 1))
    fi
}

# expect_previous_driver_removed / expect_previous_driver_kept
expect_previous_driver_removed() {
    local key
    for key in "${PREVIOUS_KEYS[@]}"; do
        expect_absent "deleted: $key" reg_has "$key"
    done
    for key in "${OTHER_VENDORS_KEYS[@]}"; do
        expect_true "kept: $key" reg_has "$key"
    done
    expect_true "old INF files deleted" test ! -e "$DRIVE_C/windows/inf/OTHER/OrvaneORVPCI.INF" \
        -a ! -e "$DRIVE_C/windows/inf/OTHER/OrvaneTXA4720.INF"
    expect_true "another vendor's INF kept" test -e "$DRIVE_C/windows/inf/OTHER/VendorJOYMIDI.INF"
    expect_eq "$(run_entry)" "run= " "the run entry of WIN.INI"
}
expect_previous_driver_kept() {
    local key
    for key in "${PREVIOUS_KEYS[@]}"; do
        expect_true "kept: $key" reg_has "$key"
    done
    expect_true "old INF kept" test -e "$DRIVE_C/windows/inf/OTHER/OrvaneORVPCI.INF"
    expect_eq "$(run_entry)" 'run=C:\WINDOWS\SYSTEM\UARTX.EXE' "the run entry of WIN.INI"
    expect_true "no WININIT.INI" test ! -e "$(wininit_file ini)"
}

# run_entry: the run= line of WIN.INI's [windows] section as the profile service sees it.
# Wine, like Windows NT, keeps that section in the registry (IniFileMapping): a write goes
# there and the file stays as it was; the file counts only while the registry has no value.
WIN_INI_WINDOWS_KEY='HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows'
run_entry() {
    if reg_has_value "$WIN_INI_WINDOWS_KEY" run; then
        # "    run    REG_SZ    DATA": the data keeps its blanks.
        reg_query "$WIN_INI_WINDOWS_KEY" run | tr -d '\r' |
            awk '$1 == "run" { i = index($0, "REG_SZ"); print "run=" substr($0, i + 10); exit }'
    else
        tr -d '\r' <"$DRIVE_C/windows/win.ini" |
            awk 'tolower($0) ~ /^\[/ { s = tolower($0) } s == "[windows]" && /^run=/ { print; exit }'
    fi
}
reg_has_value() { reg_query "$1" "$2" 2>/dev/null | tr -d '\r' | grep -q "^ *$2 "; }

# wininit_file ini|bak: the path of WININIT.INI or WININIT.BAK whatever its letter case.
wininit_file() {
    local found
    found=$(find "$DRIVE_C/windows" -maxdepth 1 -iname "wininit.$1" | head -1)
    echo "${found:-$DRIVE_C/windows/wininit.$1}"
}

# expect_staged: the staging tree on C:, the INF copies in INF\OTHER and their source disk.
expect_staged() {
    local f
    for f in DOS/ORVDOS.SYS DOS/ORVINIT.EXE DOS/README.TXT DOS/DOSAPP/ORVMIX.EXE \
        DOS/DOSAPP/ORVMIX.CFG W95-98/ORVPCI.INF W95-98/ORVLEG.INF W95-98/SNDCORE.VXD \
        W95-98/SYNTHPCI.DLL W95-98/026/BANK026.DAT W95-98/026/BANKINDX.DAT; do
        expect_true "staged: C:\\Orvane\\$f" test -f "$DRIVE_C/Orvane/$f"
    done
    expect_true "staging copy unchanged" same_file "$EXAMPLES/tree/W95-98/drv/ORVPCI.INF" \
        "$DRIVE_C/Orvane/W95-98/ORVPCI.INF"
    expect_eq "$(source_disk ORVPCI.INF)" \
        '1="Orvane PCI Audio Driver Disk",,0, C:\Orvane\W95-98' "SourceDisksNames of ORVPCI.INF"
    expect_eq "$(source_disk ORVLEG.INF)" \
        '1="Orvane PCI Audio Driver Disk",,0,\W95-98\drv, C:\Orvane\W95-98' \
        "SourceDisksNames of ORVLEG.INF"
}

# source_disk NAME: the line of key 1 in [SourceDisksNames] of the INF copy NAME.
source_disk() {
    tr -d '\r' <"$DRIVE_C/windows/inf/OTHER/$1" |
        awk '/^\[/ { s = $0 } s == "[SourceDisksNames]" && /^1=/ { print; exit }'
}

# expect_wininit FILE: the 17 rename lines of section [rename].
expect_wininit() {
    local pair current backup
    for pair in "${SYSTEM_RENAMES[@]}"; do
        current=${pair%=*} backup=${pair#*=}
        expect_true "[rename] line for $current" grep -qiaF \
            "C:\\windows\\SYSTEM\\$backup=C:\\windows\\SYSTEM\\$current" "$1"
    done
    expect_eq "$(grep -ca '=' "$1")" 17 "lines of $1"
}

# expect_renamed: every system file of the previous driver carries its backup name.
expect_renamed() {
    local pair current backup
    for pair in "${SYSTEM_RENAMES[@]}"; do
        current=${pair%=*} backup=${pair#*=}
        expect_true "renamed $current to $backup" \
            test ! -e "$DRIVE_C/windows/system/$current" -a -e "$DRIVE_C/windows/system/$backup"
    done
    expect_true "another file kept" test -e "$DRIVE_C/windows/system/MMSYSTEM.DLL"
}
