// The rows in which the three installing paths' staging runs differ, as one table of data
// that the staging procedure and its path check both read.
#pragma once

#include "staging/Staging.h"

// The sound-bank files of the software synthesizer in the system directory, which the
// driver update stages along with an update package.
const char* const SoundBankSampleFile = "BANKSMP.DAT";
const char* const SoundBankIndexFile = "BANKINDX.DAT";

struct StagingVariantRow {
    // Directories of the staging tree created first, parents first.
    const char* const* directories;
    int directoryCount;
    // Copies "Dosdrv\" and "Dosdrv\DOSAPP\" of the tree.
    bool copiesDosFiles;
    // Copies the two sound-bank files of the system directory, when the package is not a
    // full package.
    bool copiesSoundBanks;
    // Where the Windows driver files lie below SourceDir ("" for SourceDir itself).
    const char* driverSubdir;
    // Creates the driver directories of the staging tree just before the driver files are
    // copied (on Windows 95/98).
    bool createsDriverDirs;
    // Each INF copy is edited through the caller's hook before it is listed.
    bool editsInfCopies;
};

const StagingVariantRow& StagingVariantOf(StagingVariant variant);

// The sound-bank files in the order in which they are staged.
extern const char* const SoundBankFiles[2];

// "C:\Orvane\W95-98\" and "C:\Orvane\W95-98\026\": created before the driver files are copied
// by the variants whose row says so.
extern const char* const StagingDriverDirs[2];

// True when a file name names an INF file: it contains ".inf" or ".INF" (other mixtures of
// letter case do not count).
bool IsInfFileName(const CString& name);
