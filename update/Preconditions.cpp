#include "update/Preconditions.h"

#include "platform/Calendar.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/WinDefs.h"
#include "staging/StagingVariants.h"

namespace {

// Decimal, not 4 MiB, although the message speaks of "4Mbytes".
const os::ULONGLONG MinimumFreeBytes = 4000000;

// GetDiskFreeSpaceExA came with Windows 95 OSR2; the first Windows 95 lacks it, so it is
// looked up in the loaded kernel32 at run time rather than imported.
const char* const Kernel32Name = "kernel32.dll";
const char* const FreeSpaceExName = "GetDiskFreeSpaceExA";
const char* const CurrentDrive = nullptr; // the drive of the current directory

// The C runtime's calendar counts years from 1900 and months from 0.
const int CalendarBaseYear = 1900;

// Each sound-bank file with the first day (UTC) on which its creation makes it recent enough.
struct SoundBankLimit {
    const char* fileName;
    int year;
    int month; // 1 to 12; the limit is the first of that month, 00:00
};

const SoundBankLimit SoundBankLimits[] = {
    {SoundBankSampleFile, 1998, 7},
    {SoundBankIndexFile, 1998, 11},
};

struct PreconditionsMessage {
    int result;
    const char* text;
};

const PreconditionsMessage Messages[] = {
    {SoundBankMissing,
     "The WaveSynth sound bank files not found!\n"
     "Please make sure this system has been installed old audio drivers!\n"
     "Because of this program update drivers excepts waveSynth sound bank files."},
    {SoundBankTooOld, "Can not update drivers! The WaveSynth sound bank files is quite old. "
                      "Please download full-package drivers to update."},
    {DiskSpaceLow, "The free space of this disk drive not enough for update drivers! It needs "
                   "at least 4Mbytes. Please move all of driver files to a harddisk drive that "
                   "has enough free space."},
};

// Total free bytes of the current drive, not only those available to this user. The outputs
// start at 0, so a call that fails reports no space.
os::ULONGLONG CurrentDriveFreeBytes() {
    const os::FARPROC freeSpaceEx =
        os::GetProcAddress(os::GetModuleHandleA(Kernel32Name), FreeSpaceExName);
    if (freeSpaceEx) {
        os::ULONGLONG available = 0, total = 0, totalFree = 0;
        os::CallGetDiskFreeSpaceExA(freeSpaceEx, CurrentDrive, &available, &total, &totalFree);
        return totalFree;
    }
    os::DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    os::GetDiskFreeSpaceA(CurrentDrive, &sectorsPerCluster, &bytesPerSector, &freeClusters,
                          &totalClusters);
    // In 64 bits: on a drive of more than 4 GB the product does not fit 32.
    return static_cast<os::ULONGLONG>(freeClusters) * sectorsPerCluster * bytesPerSector;
}

// PreconditionsMet, SoundBankMissing or SoundBankTooOld for one file of systemDir (ending in
// a backslash). The C runtime's search reports the creation time, which tells when the file
// was put into the system directory; the last-write time keeps the date of its contents.
int CheckSoundBank(const CString& systemDir, const SoundBankLimit& bank) {
    os::_finddata_t found;
    const intptr_t search = os::_findfirst(systemDir + bank.fileName, &found);
    if (search == -1)
        return SoundBankMissing;
    os::_findclose(search);

    // A file system that keeps no creation time, or a time before 1970, gives no calendar
    // date: nothing shows the file to be recent enough.
    os::tm created;
    if (!os::gmtime(found.time_create, &created))
        return SoundBankTooOld;
    const int year = created.tm_year + CalendarBaseYear;
    const int month = created.tm_mon + 1;
    if (year < bank.year || (year == bank.year && month < bank.month))
        return SoundBankTooOld;
    return PreconditionsMet;
}

} // namespace

const char* const UpdatePreconditionsCaption = "Error";

int CheckUpdatePreconditions() {
    // 1. The drive of the current directory, which is still the start directory: the drive
    // the package lies on, not drive C.
    if (CurrentDriveFreeBytes() < MinimumFreeBytes)
        return DiskSpaceLow;

    // 2. The system directory as the system reports it, whatever its length. Should the
    // query give nothing, the files count as missing: a bare "\BANKSMP.DAT" would name the
    // root of the current drive instead.
    CString systemDir = os::GetSystemDirectoryA();
    if (systemDir.IsEmpty())
        return SoundBankMissing;
    if (systemDir.Last() != '\\')
        systemDir += '\\';

    // 3 to 6. Each file, then its date, in table order.
    for (const SoundBankLimit& bank : SoundBankLimits) {
        const int result = CheckSoundBank(systemDir, bank);
        if (result != PreconditionsMet)
            return result;
    }

    // 7.
    return PreconditionsMet;
}

const char* UpdatePreconditionsMessage(int result) {
    for (const PreconditionsMessage& message : Messages)
        if (message.result == result)
            return message.text;
    return nullptr;
}
