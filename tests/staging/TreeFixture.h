// Installation trees and journal helpers shared by the staging and unattended tests.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/Machine.h"

namespace treefixture {

// An INF file of the package as the tree holds it: CR LF lines, one source disk.
const char* const PackageInf = "[Version]\r\n"
                               "Signature=\"$CHICAGO$\"\r\n"
                               "[SourceDisksNames]\r\n"
                               "1=\"Orvane Driver Disk\",,0\r\n"
                               "[Strings]\r\n"
                               "TQR-PCI.DeviceDesc=\"Orvane PCI Audio\"\r\n";

// The value key "1" of [SourceDisksNames] has after the rewrite.
const char* const RewrittenSourceDisk = "\"Orvane Driver Disk\",,0, C:\\Orvane\\W95-98";

// A full installation tree below root (ending in a backslash):
//   Dosdrv\ORVDOS.SYS, Dosdrv\ORVINIT.EXE, Dosdrv\DOSAPP\ORVMIX.EXE,
//   W95-98\drv\ORVANE.INF, W95-98\drv\SNDCORE.VXD, W95-98\drv\ORVMIDI.INF,
//   W95-98\drv\026\BANK026.DAT, W95-98\drv\EXTRA\IGNORED.TXT (a subdirectory never entered),
//   W95-98\app\Setup.exe, NT40\app\Setup.exe.
inline void AddFullTree(sim::Machine& machine, const std::string& root) {
    sim::FileSystem& files = machine.files;
    files.AddFile(root + "Dosdrv\\ORVDOS.SYS", "dos driver");
    files.AddFile(root + "Dosdrv\\ORVINIT.EXE", "dos init");
    files.AddFile(root + "Dosdrv\\DOSAPP\\ORVMIX.EXE", "dos mixer");
    files.AddFile(root + "W95-98\\drv\\ORVANE.INF", PackageInf);
    files.AddFile(root + "W95-98\\drv\\SNDCORE.VXD", "vxd");
    files.AddFile(root + "W95-98\\drv\\ORVMIDI.INF", PackageInf);
    files.AddFile(root + "W95-98\\drv\\026\\BANK026.DAT", "bank 026");
    files.AddFile(root + "W95-98\\drv\\EXTRA\\IGNORED.TXT", "not staged");
    files.AddFile(root + "W95-98\\app\\Setup.exe", "applications' setup");
    files.AddFile(root + "NT40\\app\\Setup.exe", "applications' setup (NT)");
}

// A previous installation of the driver on a Windows 95/98 machine: a media class instance
// with its MediaResources entries, a PCI device key, a virtual device key, the two class
// registrations, an old INF file in INF\OTHER, two of its system files and a run entry.
// Beside them another vendor's media instance that stays.
const char* const PreviousInstallationReg =
    "REGEDIT4\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\services\\Class\\MEDIA\\0000]\r\n"
    "\"ProviderName\"=\"Another Vendor\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\services\\Class\\MEDIA\\0001]\r\n"
    "\"ProviderName\"=\"ORVANE\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\MediaResources\\wave\\"
    "ORVWAVE.DRV<0001>]\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Enum\\PCI\\VEN_4D2A&DEV_0120&SUBSYS_00000000\\BUS_00&DEV_0B]\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Enum\\VIRTUAL\\TQR-SWMIDI\\0000]\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Spatial]\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{D8F1EEE0-F634-11CF-8700-00A0245D918B}]"
    "\r\n\r\n";

const char* const PreviousInstanceKey =
    "HKLM\\System\\CurrentControlSet\\services\\Class\\MEDIA\\0001";
const char* const OtherInstanceKey = "HKLM\\System\\CurrentControlSet\\services\\Class\\MEDIA\\0000";
const char* const PreviousPciKey = "HKLM\\Enum\\PCI\\VEN_4D2A&DEV_0120&SUBSYS_00000000";
const char* const PreviousInf = "C:\\WINDOWS\\INF\\OTHER\\OLDORV.INF";

inline void AddPreviousInstallation(sim::Machine& machine) {
    machine.registry.LoadReg(PreviousInstallationReg);
    machine.files.AddFile(PreviousInf,
                          "[Strings]\r\nTQR-Legacy.DeviceDesc=\"Orvane Legacy Audio\"\r\n");
    machine.files.AddFile("C:\\WINDOWS\\SYSTEM\\SNDCORE.VXD", "old vxd");
    machine.files.AddFile("C:\\WINDOWS\\SYSTEM\\SYNTHPCI.DLL", "old synth");
    machine.files.AddFile("C:\\WINDOWS\\WIN.INI",
                          "[windows]\r\nload=\r\nrun=C:\\WINDOWS\\SYSTEM\\UARTX.EXE\r\n");
}

// The details of the journal entries of one kind, in order.
inline std::vector<std::string> Details(const sim::Journal& journal, const std::string& what) {
    std::vector<std::string> details;
    for (const auto& entry : journal.Of(what))
        details.push_back(entry.detail);
    return details;
}

// The journal entries that change the machine (everything but messages).
inline std::vector<std::string> Changes(const sim::Journal& journal) {
    std::vector<std::string> changes;
    for (const auto& entry : journal.Entries())
        if (entry.what != "message")
            changes.push_back(entry.what + ": " + entry.detail);
    return changes;
}

} // namespace treefixture
