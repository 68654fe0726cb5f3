// What an update package needs of the machine before the driver update changes anything:
// room on the drive it was started from, and the software synthesizer's two sound-bank
// files in the system directory, recent enough (staging copies them into the staging tree).
#pragma once

// Results of CheckUpdatePreconditions.
enum UpdatePreconditionsResult {
    // Enough free space, both sound-bank files present and recent enough.
    PreconditionsMet = 0,
    // BANKSMP.DAT or BANKINDX.DAT is not in the system directory.
    SoundBankMissing = 1,
    // A sound-bank file was created before its limit date, or has no creation date at all.
    SoundBankTooOld = 2,
    // Fewer than 4,000,000 bytes free on the drive of the current directory.
    DiskSpaceLow = 3,
};

// The tests in this order, the first that fails deciding the result:
// 1. the total free bytes of the current directory's drive (GetDiskFreeSpaceExA when the
//    loaded kernel32 has it, else the legacy GetDiskFreeSpaceA's 64-bit product; a failed
//    call counts as no space): below 4,000,000 gives DiskSpaceLow;
// 2. BANKSMP.DAT in the system directory: missing gives SoundBankMissing, created before
//    1 July 1998 UTC gives SoundBankTooOld;
// 3. BANKINDX.DAT likewise, with 1 November 1998 UTC as its limit.
// Only the creation time counts; a creation time that has no calendar date (none kept, or
// before 1970) counts as too old. The system directory is used whatever its length.
// Changes nothing and shows nothing. Returns one of UpdatePreconditionsResult.
int CheckUpdatePreconditions();

// The text that tells the user why the update cannot go on, for a result other than
// PreconditionsMet; nullptr for PreconditionsMet or an unknown result.
const char* UpdatePreconditionsMessage(int result);

// The caption of that message box.
extern const char* const UpdatePreconditionsCaption;
