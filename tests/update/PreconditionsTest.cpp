// The update package's preconditions on the simulated machine: free space of the package's
// drive, then each sound-bank file's presence and creation date, in that order.
#include <gtest/gtest.h>

#include <stdint.h>

#include <string>

#include "platform/sim/Machine.h"
#include "update/Preconditions.h"

namespace {

const char* const SampleFile = "BANKSMP.DAT";
const char* const IndexFile = "BANKINDX.DAT";

const uint64_t FourGiB = 0x100000000ull;
// The legacy call reports whole clusters of 8 x 512 bytes.
const uint64_t Cluster = 4096;

// A sound-bank file of the system directory.
struct Bank {
    bool present;
    sim::FileTime created;
    sim::FileTime written;
};

const Bank Missing = {false, sim::NoFileTime, sim::NoFileTime};
Bank Created(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    sim::FileTime t = sim::FileTimeFromUtc(year, month, day, hour, minute, second);
    return Bank{true, t, t};
}
const Bank Recent = Created(1999, 3, 1);
const Bank JustBeforeJuly = Created(1998, 6, 30, 23, 59, 59);
const Bank FirstOfJuly = Created(1998, 7, 1);
const Bank August = Created(1998, 8, 15);
const Bank JustBeforeNovember = Created(1998, 10, 31, 23, 59, 59);
const Bank FirstOfNovember = Created(1998, 11, 1);
// Put into the system directory recently, with contents of an old date, and the reverse.
const Bank OldContentsNewlyCreated = {true, sim::FileTimeFromUtc(1999, 3, 1),
                                      sim::FileTimeFromUtc(1997, 1, 1)};
const Bank CreatedLongAgoWrittenRecently = {true, sim::FileTimeFromUtc(1997, 1, 1),
                                            sim::FileTimeFromUtc(1999, 3, 1)};
// Times the C runtime cannot express as a date: none kept, or before 1970.
const Bank NoCreationTime = {true, sim::NoFileTime, sim::FileTimeFromUtc(1999, 3, 1)};
const Bank CreatedIn1969 = {true, sim::FileTimeFromUtc(1969, 12, 31),
                            sim::FileTimeFromUtc(1999, 3, 1)};

struct Case {
    const char* name;
    uint64_t freeBytes;
    Bank sample;
    Bank index;
    bool hasFreeSpaceEx;
    int expected;
};

const uint64_t Plenty = 500000000;

void AddBank(sim::Machine& machine, const std::string& directory, const char* name,
             const Bank& bank) {
    if (!bank.present)
        return;
    const std::string path = directory + "\\" + name;
    machine.files.AddFile(path, "sound bank");
    machine.files.SetCreationTime(path, bank.created);
    machine.files.SetLastWriteTime(path, bank.written);
}

class PreconditionsTest : public ::testing::TestWithParam<Case> {};

TEST_P(PreconditionsTest, GivesTheFirstFailingTest) {
    const Case& c = GetParam();
    sim::Machine machine(sim::Preset::Windows98);
    sim::MachineScope scope(machine);
    machine.files.AddDrive('D', 2 * c.freeBytes + FourGiB, c.freeBytes);
    machine.files.AddDirectory("D:\\PKG");
    machine.currentDirectory = "D:\\PKG";
    machine.hasGetDiskFreeSpaceEx = c.hasFreeSpaceEx;
    AddBank(machine, machine.systemDirectory, SampleFile, c.sample);
    AddBank(machine, machine.systemDirectory, IndexFile, c.index);

    EXPECT_EQ(CheckUpdatePreconditions(), c.expected);
    EXPECT_TRUE(machine.journal.Entries().empty()) << machine.journal.Print();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PreconditionsTest,
    ::testing::Values(
        Case{"AllMet", Plenty, Recent, Recent, true, PreconditionsMet},
        // Free space of the package's drive, counted in bytes: 4,000,000 is the limit.
        Case{"Free3999999", 3999999, Recent, Recent, true, DiskSpaceLow},
        Case{"Free4000000", 4000000, Recent, Recent, true, PreconditionsMet},
        // Cut to 32 bits this count would be 1,000 bytes.
        Case{"FreeAbove4GiB", FourGiB + 1000, Recent, Recent, true, PreconditionsMet},
        // Space is tested first.
        Case{"LowSpaceAndNoBanks", 3999999, Missing, Missing, true, DiskSpaceLow},
        // Without GetDiskFreeSpaceExA: clusters x sectors x bytes, in 64 bits.
        Case{"LegacyBelowLimit", 976 * Cluster, Recent, Recent, false, DiskSpaceLow},
        Case{"LegacyAtLeastLimit", 977 * Cluster, Recent, Recent, false, PreconditionsMet},
        Case{"LegacyAbove4GiB", FourGiB + Cluster, Recent, Recent, false, PreconditionsMet},
        // The sample file decides before the table file.
        Case{"SampleMissing", Plenty, Missing, Recent, true, SoundBankMissing},
        Case{"BothMissing", Plenty, Missing, Missing, true, SoundBankMissing},
        Case{"SampleTooOldIndexMissing", Plenty, JustBeforeJuly, Missing, true, SoundBankTooOld},
        Case{"SampleFirstOfJuly", Plenty, FirstOfJuly, Recent, true, PreconditionsMet},
        Case{"IndexMissing", Plenty, Recent, Missing, true, SoundBankMissing},
        Case{"IndexJustBeforeNovember", Plenty, Recent, JustBeforeNovember, true, SoundBankTooOld},
        Case{"IndexFirstOfNovember", Plenty, Recent, FirstOfNovember, true, PreconditionsMet},
        // August 1998 is recent enough for the sample file, not for the table file.
        Case{"SampleAugust", Plenty, August, Recent, true, PreconditionsMet},
        Case{"IndexAugust", Plenty, Recent, August, true, SoundBankTooOld},
        // The creation time counts, not the last-write time.
        Case{"OldContentsNewlyCreated", Plenty, OldContentsNewlyCreated, OldContentsNewlyCreated,
             true, PreconditionsMet},
        Case{"CreatedLongAgo", Plenty, Recent, CreatedLongAgoWrittenRecently, true,
             SoundBankTooOld},
        // No calendar date for the creation time: judged too old, never a crash.
        Case{"SampleWithoutCreationTime", Plenty, NoCreationTime, Recent, true, SoundBankTooOld},
        Case{"IndexCreatedBefore1970", Plenty, Recent, CreatedIn1969, true, SoundBankTooOld}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(PreconditionsFreeSpaceTest, AFailingFreeSpaceCallCountsAsNoSpace) {
    for (const char* call : {"GetDiskFreeSpaceExA", "GetDiskFreeSpaceA"}) {
        sim::Machine machine(sim::Preset::Windows98);
        sim::MachineScope scope(machine);
        machine.hasGetDiskFreeSpaceEx = std::string(call) == "GetDiskFreeSpaceExA";
        AddBank(machine, machine.systemDirectory, SampleFile, Recent);
        AddBank(machine, machine.systemDirectory, IndexFile, Recent);
        machine.faults.Fail(call);
        EXPECT_EQ(CheckUpdatePreconditions(), DiskSpaceLow) << call;
    }
}

TEST(PreconditionsFreeSpaceTest, TheDriveOfTheCurrentDirectoryIsTested) {
    sim::Machine machine(sim::Preset::Windows98);
    sim::MachineScope scope(machine);
    machine.files.AddDrive('D', 10000000, 1000);
    machine.files.AddDirectory("D:\\PKG");
    AddBank(machine, machine.systemDirectory, SampleFile, Recent);
    AddBank(machine, machine.systemDirectory, IndexFile, Recent);

    machine.currentDirectory = "C:\\";
    EXPECT_EQ(CheckUpdatePreconditions(), PreconditionsMet);
    machine.currentDirectory = "D:\\PKG";
    EXPECT_EQ(CheckUpdatePreconditions(), DiskSpaceLow);
}

// A system directory of 64 characters or more is searched like any other; the root of the
// current drive, where a cut-off directory name would point, is never looked at.
TEST(PreconditionsSystemDirectoryTest, ALongSystemDirectoryIsSearched) {
    const std::string longSystemDir =
        "C:\\WINDOWS.INSTALLED-BY-THE-COMPUTER-MAKER\\SYSTEM-FILES-OF-THIS-MACHINE";
    ASSERT_GE(longSystemDir.size(), 64u);
    for (bool banksInSystemDir : {true, false}) {
        sim::Machine machine(sim::Preset::Windows98);
        sim::MachineScope scope(machine);
        machine.systemDirectory = longSystemDir;
        machine.files.AddDirectory(longSystemDir);
        machine.files.AddDrive('D');
        machine.files.AddDirectory("D:\\PKG");
        machine.currentDirectory = "D:\\PKG";
        // Decoys in the root of the current drive.
        AddBank(machine, "D:", SampleFile, Recent);
        AddBank(machine, "D:", IndexFile, Recent);
        if (banksInSystemDir) {
            AddBank(machine, longSystemDir, SampleFile, Recent);
            AddBank(machine, longSystemDir, IndexFile, Recent);
        }
        EXPECT_EQ(CheckUpdatePreconditions(),
                  banksInSystemDir ? PreconditionsMet : SoundBankMissing)
            << banksInSystemDir;
    }
}

} // namespace
