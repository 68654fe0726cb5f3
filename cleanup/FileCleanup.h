// Removal of the previous driver's files from the Windows directory tree.
#pragma once

// In three steps, reporting nothing:
// 1. Deletes the previous driver's INF files. Only one directory is examined: INF\OTHER
//    (all its *.INF files) when it holds at least one INF file, else the OEM*.INF files of
//    INF. A file is the previous driver's when its [Strings] TQR-Legacy.DeviceDesc begins
//    with "TXA4320", "TXA4720" or "Orvane" (letter case counts).
// 2. For each of the previous driver's 17 files in SYSTEM that exists, writes a line
//    backup path = current path into section [rename] of WININIT.INI, so that Windows
//    95/98 renames the file when it next starts. Nothing is renamed now.
// 3. Sets run= of section [Windows] of WIN.INI to one space.
// Paths are built from the Windows directory whatever its length.
void RemoveOldDriverFiles();
