// Removal of the previous driver's registry entries on the simulated machine: which keys go,
// which stay, the result codes, and deletions under both registry delete rules.
#include <gtest/gtest.h>

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cleanup/KeyTree.h"
#include "cleanup/RegistryCleanup.h"
#include "platform/WinDefs.h"
#include "platform/sim/Machine.h"

namespace {

const std::string Media = "HKLM\\System\\CurrentControlSet\\services\\Class\\MEDIA";
const std::string Resources = "HKLM\\System\\CurrentControlSet\\control\\MediaResources";
const char* const ResourceTypes[] = {"aux", "midi", "mixer", "wave"};
const std::string Pci = "HKLM\\Enum\\PCI";
const std::string Virtual = "HKLM\\Enum\\VIRTUAL";
const char* const VirtualDevices[] = {"TQR-SWMIDI", "TQR-DOSEMU", "TQR-LEGACY", "TQR-SBEMU",
                                      "TQR-JOYSTK"};
const std::string Spatial = "HKCR\\Spatial";
const std::string SpatialClsid = "HKCR\\CLSID\\{D8F1EEE0-F634-11CF-8700-00A0245D918B}";
const std::string OurPci = "VEN_4D2A&DEV_0100&SUBSYS_00011D0A&REV_01";

// The name under which a MediaResources type key lists a driver of an instance.
std::string ResourceEntry(const std::string& driver, const std::string& instance) {
    return driver + "<" + instance + ">";
}

class RegistryCleanupTest : public ::testing::Test {
protected:
    sim::Machine machine;
    sim::MachineScope scope{machine};
    sim::Registry& reg = machine.registry;

    // The registry of the current machine: a table test makes a machine for each case.
    static sim::Registry& Reg() { return sim::Current().registry; }

    void AddInstance(const std::string& instance, const std::string& provider) {
        Reg().SetString(Media + "\\" + instance, "DriverDesc", "Audio device");
        Reg().SetString(Media + "\\" + instance, "ProviderName", provider);
        Reg().AddKey(Media + "\\" + instance + "\\Drivers\\wave\\wavedrv.drv");
        for (const char* type : ResourceTypes)
            Reg().SetString(Resources + "\\" + type + "\\" + ResourceEntry("drv.drv", instance),
                            "Driver", "drv.drv");
    }
    // Whether the instance key and its four MediaResources entries are all present (1) or
    // all gone (0); -1 for a mixture.
    int InstanceState(const std::string& instance) {
        int present = Reg().KeyExists(Media + "\\" + instance);
        for (const char* type : ResourceTypes)
            present += Reg().KeyExists(Resources + "\\" + type + "\\" +
                                       ResourceEntry("drv.drv", instance));
        return present == 5 ? 1 : present == 0 ? 0 : -1;
    }
    void AddClassRegistrations() {
        Reg().SetString(Spatial + "\\CLSID", "", "{D8F1EEE0-F634-11CF-8700-00A0245D918B}");
        Reg().SetString(SpatialClsid + "\\InprocServer32", "", "SPATIAL.DLL");
    }
    bool ClassRegistrationsPresent() {
        return Reg().KeyExists(Spatial) && Reg().KeyExists(SpatialClsid);
    }
    // Every key of the previous driver, each with a subtree of its own.
    void AddPreviousDriver() {
        AddInstance("0000", "ORVANE");
        Reg().AddKey(Pci + "\\" + OurPci + "\\BUS_00&DEV_0A&FUNC_00\\LogConfig");
        for (const char* device : VirtualDevices)
            Reg().SetString(Virtual + "\\" + device + "\\0000", "Class", "MEDIA");
        AddClassRegistrations();
    }
    static std::vector<std::string> DeletedKeys() {
        std::vector<std::string> keys;
        for (const sim::JournalEntry& entry : sim::Current().journal.Of("delete key"))
            keys.push_back(entry.detail);
        return keys;
    }
};

// ---- Media class step ----

TEST_F(RegistryCleanupTest, ProviderNameAndWordAreComparedWithCase) {
    struct Case {
        const char* valueName;
        const char* data;
        bool deleted;
    } cases[] = {
        {"ProviderName", "ORVANE", true},  {"ProviderName", "ORVANE Semiconductor Inc.", true},
        {"ProviderName", "Orvane", false}, {"ProviderName", "orvane", false},
        {"ProviderName", "ORVAN", false},  {"ProviderName", "", false},
        {"providername", "ORVANE", false}, {"PROVIDERNAME", "ORVANE", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.valueName) + "=" + c.data);
        sim::Machine machine;
        sim::MachineScope scope(machine);
        machine.registry.SetString(Media + "\\0000", "DriverDesc", "Audio device");
        machine.registry.SetString(Media + "\\0000", c.valueName, c.data);
        machine.registry.SetString(Resources + "\\wave\\" + ResourceEntry("a.drv", "0000"),
                                   "Driver", "a.drv");
        AddClassRegistrations();

        // A media class instance does not count for the result.
        EXPECT_EQ(RegistryCleanupNoDeviceKeys, RemoveOldDriverRegistry());
        EXPECT_EQ(!c.deleted, machine.registry.KeyExists(Media + "\\0000"));
        EXPECT_EQ(!c.deleted, machine.registry.KeyExists(Resources + "\\wave\\" +
                                                         ResourceEntry("a.drv", "0000")));
        EXPECT_TRUE(ClassRegistrationsPresent());
    }
}

TEST_F(RegistryCleanupTest, OnlyTheFirstThousandValuesAreExamined) {
    struct Case {
        int valuesBefore;
        bool deleted;
    } cases[] = {{999, true}, {1000, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.valuesBefore);
        sim::Machine machine;
        sim::MachineScope scope(machine);
        for (int i = 0; i < c.valuesBefore; ++i)
            machine.registry.SetString(Media + "\\0000", "Value" + std::to_string(i), "x");
        machine.registry.SetString(Media + "\\0000", "ProviderName", "ORVANE");
        RemoveOldDriverRegistry();
        EXPECT_EQ(!c.deleted, machine.registry.KeyExists(Media + "\\0000"));
    }
}

TEST_F(RegistryCleanupTest, EachInstanceGoesWithItsOwnMediaResources) {
    AddInstance("0000", "ORVANE");
    AddInstance("0001", "Other Audio Ltd.");
    AddInstance("0002", "ORVANE");
    // A later value named ProviderName is not looked at once an instance passed.
    AddInstance("0003", "Other Audio Ltd.");
    reg.SetString(Media + "\\0003", "Version", "4.0");

    EXPECT_EQ(RegistryCleanupNoDeviceKeys, RemoveOldDriverRegistry());
    EXPECT_EQ(0, InstanceState("0000"));
    EXPECT_EQ(1, InstanceState("0001"));
    EXPECT_EQ(0, InstanceState("0002"));
    EXPECT_EQ(1, InstanceState("0003"));
}

TEST_F(RegistryCleanupTest, InstancesAreKnownByTheFirstFourCharactersOfTheirNames) {
    // "0004DRV" stands for instance "0004", whose key does not exist: it is passed over.
    reg.SetString(Media + "\\0004DRV", "ProviderName", "ORVANE");
    AddInstance("0005", "ORVANE");
    RemoveOldDriverRegistry();
    EXPECT_TRUE(reg.KeyExists(Media + "\\0004DRV"));
    EXPECT_EQ(0, InstanceState("0005"));
}

TEST_F(RegistryCleanupTest, WithoutMediaClassKeyTheOtherStepsRun) {
    reg.AddKey(Pci + "\\" + OurPci);
    AddClassRegistrations();
    EXPECT_EQ(RegistryCleanupDone, RemoveOldDriverRegistry());
    EXPECT_FALSE(reg.KeyExists(Pci + "\\" + OurPci));
    EXPECT_FALSE(reg.KeyExists(Spatial));
    EXPECT_FALSE(reg.KeyExists(SpatialClsid));
}

TEST_F(RegistryCleanupTest, MediaResourceMatchRule) {
    // The four characters before the last one are the instance, compared without regard to
    // case; the whole name has at least five characters.
    struct Case {
        const char* name;
        bool deleted;
    } cases[] = {
        {"wavedrv.drv<AB12>", true},
        {"wavedrv.drv<ab12>", true},
        {"<aB12>", true},
        {"AB12>", true},
        {"AB12x", true},
        {"AB12", false},
        {"B12>", false},
        {"wavedrv.drv<AB12", false},
        {"wavedrv.drv<AB13>", false},
        {"xAB12>>", false},
    };
    const std::string type = "System\\CurrentControlSet\\control\\MediaResources\\wave";
    for (const Case& c : cases)
        reg.AddKey("HKLM\\" + type + "\\" + c.name + "\\Sub");
    DeleteMediaResourceKeys(type.c_str(), "AB12");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(!c.deleted, reg.KeyExists("HKLM\\" + type + "\\" + c.name));
    }
}

TEST_F(RegistryCleanupTest, MissingMediaResourceTypeKeyIsPassedOver) {
    DeleteMediaResourceKeys("System\\CurrentControlSet\\control\\MediaResources\\aux", "0000");
    EXPECT_TRUE(DeletedKeys().empty());
}

// ---- PCI, virtual device and class registration steps ----

TEST_F(RegistryCleanupTest, PciSubkeysMatchOnTheirFirstFifteenCharactersWithCase) {
    struct Case {
        const char* name;
        bool deleted;
    } cases[] = {
        {"VEN_4D2A&DEV_01", true},    {"VEN_4D2A&DEV_0100&SUBSYS_00011D0A&REV_01", true},
        {"VEN_4D2A&DEV_01X", true},   {"ven_4d2a&dev_01", false},
        {"VEN_4D2A&dev_0100", false}, {"VEN_4D2A&DEV_0", false},
        {"VEN_4D2A&DEV_02", false},   {"VEN_4D2B&DEV_0100", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Machine machine;
        sim::MachineScope scope(machine);
        machine.registry.AddKey(Pci + "\\VEN_8086&DEV_7110");
        machine.registry.AddKey(Pci + "\\" + c.name + "\\BUS_00&DEV_0A&FUNC_00");
        AddClassRegistrations();
        EXPECT_EQ(c.deleted ? RegistryCleanupDone : RegistryCleanupNoDeviceKeys,
                  RemoveOldDriverRegistry());
        EXPECT_EQ(!c.deleted, machine.registry.KeyExists(Pci + "\\" + c.name));
        EXPECT_TRUE(machine.registry.KeyExists(Pci + "\\VEN_8086&DEV_7110"));
        EXPECT_EQ(!c.deleted, ClassRegistrationsPresent());
    }
}

TEST_F(RegistryCleanupTest, EveryMatchingPciKeyIsDeletedWhateverItsIndex) {
    const std::vector<std::string> names = {"VEN_1234&DEV_0001", "VEN_4D2A&DEV_0100&SUBSYS_1",
                                            "VEN_8086&DEV_7110", "VEN_4D2A&DEV_0100&SUBSYS_2",
                                            "VEN_4D2A&DEV_0101", "VEN_9999&DEV_0001"};
    for (const std::string& name : names)
        reg.AddKey(Pci + "\\" + name + "\\BUS_00&DEV_0A&FUNC_00");
    EXPECT_EQ(RegistryCleanupDone, RemoveOldDriverRegistry());
    EXPECT_EQ(
        (std::vector<std::string>{"VEN_1234&DEV_0001", "VEN_8086&DEV_7110", "VEN_9999&DEV_0001"}),
        reg.SubkeyNames(Pci));
}

TEST_F(RegistryCleanupTest, ResultDependsOnDeviceKeysOnly) {
    struct Case {
        const char* name;
        std::vector<std::string> keys;
        int result;
    } cases[] = {
        {"nothing", {}, RegistryCleanupNoDeviceKeys},
        {"a media class instance only", {Media + "\\0000"}, RegistryCleanupNoDeviceKeys},
        {"a PCI key only", {Pci + "\\" + OurPci}, RegistryCleanupDone},
        {"the first virtual key only", {Virtual + "\\TQR-SWMIDI"}, RegistryCleanupDone},
        {"the last virtual key only", {Virtual + "\\TQR-JOYSTK"}, RegistryCleanupDone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Machine machine;
        sim::MachineScope scope(machine);
        for (const std::string& key : c.keys)
            machine.registry.SetString(key, "ProviderName", "ORVANE");
        AddClassRegistrations();
        EXPECT_EQ(c.result, RemoveOldDriverRegistry());
        EXPECT_EQ(c.result == RegistryCleanupNoDeviceKeys, ClassRegistrationsPresent());
        for (const std::string& key : c.keys)
            EXPECT_FALSE(machine.registry.KeyExists(key)) << key;
    }
}

// Failed deletions under the Windows 95/98 rule (a key goes with its subtree) and the
// Windows NT rule (a key with subkeys is refused). Every key is deleted depth first, so the
// rules give the same result except where a subkey cannot be deleted.
TEST_F(RegistryCleanupTest, FailedDeletions) {
    const std::string hklm = "HKEY_LOCAL_MACHINE\\";
    const std::string pciKey = "Enum\\PCI\\" + OurPci;
    const std::vector<std::string> pciFailedKept = {Pci + "\\" + OurPci,
                                                    Virtual + "\\TQR-SWMIDI",
                                                    Virtual + "\\TQR-DOSEMU",
                                                    Virtual + "\\TQR-LEGACY",
                                                    Virtual + "\\TQR-SBEMU",
                                                    Virtual + "\\TQR-JOYSTK",
                                                    Spatial,
                                                    SpatialClsid};
    const std::vector<std::string> virtualFailedKept = {
        Virtual + "\\TQR-LEGACY", Virtual + "\\TQR-SBEMU", Virtual + "\\TQR-JOYSTK", Spatial,
        SpatialClsid};
    struct Case {
        const char* name;
        std::string failingDeletion; // a fault pattern for RegDeleteKeyA
        int result9x;
        std::vector<std::string> kept9x;
        int resultNt;
        std::vector<std::string> keptNt;
    } cases[] = {
        {"nothing fails", "", RegistryCleanupDone, {}, RegistryCleanupDone, {}},
        {"the PCI device key", hklm + pciKey, RegistryCleanupPciDeleteFailed, pciFailedKept,
         RegistryCleanupPciDeleteFailed, pciFailedKept},
        // Windows 95/98 still delete the device key with the subkey that was refused.
        {"a subkey of the PCI device key",
         hklm + pciKey + "\\BUS_00&DEV_0A&FUNC_00\\LogConfig",
         RegistryCleanupDone,
         {},
         RegistryCleanupPciDeleteFailed,
         pciFailedKept},
        {"the third virtual device key", hklm + "Enum\\VIRTUAL\\TQR-LEGACY",
         RegistryCleanupVirtualDeleteFailed, virtualFailedKept, RegistryCleanupVirtualDeleteFailed,
         virtualFailedKept},
        {"a class registration",
         "HKEY_CLASSES_ROOT\\Spatial",
         RegistryCleanupDone,
         {Spatial},
         RegistryCleanupDone,
         {Spatial}},
        // Its MediaResources entries go all the same.
        {"the media class instance",
         hklm + "System\\CurrentControlSet\\services\\Class\\MEDIA\\0000",
         RegistryCleanupDone,
         {Media + "\\0000"},
         RegistryCleanupDone,
         {Media + "\\0000"}},
    };
    const std::vector<std::string> all = {Media + "\\0000",
                                          Resources + "\\wave\\" + ResourceEntry("drv.drv", "0000"),
                                          Pci + "\\" + OurPci,
                                          Virtual + "\\TQR-SWMIDI",
                                          Virtual + "\\TQR-DOSEMU",
                                          Virtual + "\\TQR-LEGACY",
                                          Virtual + "\\TQR-SBEMU",
                                          Virtual + "\\TQR-JOYSTK",
                                          Spatial,
                                          SpatialClsid};
    for (bool nt : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(nt ? "NT rule, " : "9x rule, ") + c.name);
            sim::Machine machine;
            sim::MachineScope scope(machine);
            machine.registry.ntDeleteRule = nt;
            AddPreviousDriver();
            if (!c.failingDeletion.empty())
                machine.faults.Fail("RegDeleteKeyA", c.failingDeletion);

            EXPECT_EQ(nt ? c.resultNt : c.result9x, RemoveOldDriverRegistry());
            const std::vector<std::string>& keptKeys = nt ? c.keptNt : c.kept9x;
            for (const std::string& key : all) {
                bool kept = std::find(keptKeys.begin(), keptKeys.end(), key) != keptKeys.end();
                EXPECT_EQ(kept, machine.registry.KeyExists(key)) << key;
            }
        }
    }
}

TEST_F(RegistryCleanupTest, SecondRunFindsNothing) {
    AddPreviousDriver();
    ASSERT_EQ(RegistryCleanupDone, RemoveOldDriverRegistry());
    machine.journal.Clear();
    EXPECT_EQ(RegistryCleanupNoDeviceKeys, RemoveOldDriverRegistry());
    EXPECT_TRUE(DeletedKeys().empty());
}

// ---- No fixed limits ----

TEST_F(RegistryCleanupTest, LongNamesAndDataDoNotEndTheSearch) {
    const std::string longTail(90, 'X');
    // A long name comes first in each enumeration.
    reg.AddKey(Media + "\\" + longTail);
    reg.SetString(Media + "\\0001", "A" + longTail, "value with a long name");
    reg.SetString(Media + "\\0001", "ProviderName", "ORVANE " + longTail);
    const std::string longEntry = ResourceEntry(longTail + ".drv", "0001");
    reg.AddKey(Resources + "\\midi\\" + ResourceEntry("z" + longTail, "0002"));
    reg.AddKey(Resources + "\\midi\\" + longEntry);
    reg.AddKey(Pci + "\\VEN_1111&DEV_2222&SUBSYS_" + longTail);
    reg.AddKey(Pci + "\\VEN_4D2A&DEV_0100&SUBSYS_" + longTail);

    EXPECT_EQ(RegistryCleanupDone, RemoveOldDriverRegistry());
    EXPECT_FALSE(reg.KeyExists(Media + "\\0001"));
    EXPECT_FALSE(reg.KeyExists(Resources + "\\midi\\" + longEntry));
    EXPECT_TRUE(reg.KeyExists(Resources + "\\midi\\" + ResourceEntry("z" + longTail, "0002")));
    EXPECT_EQ(std::vector<std::string>{"VEN_1111&DEV_2222&SUBSYS_" + longTail},
              reg.SubkeyNames(Pci));
}

TEST_F(RegistryCleanupTest, MoreThanAHundredInstances) {
    for (int i = 0; i < 130; ++i) {
        char name[8];
        snprintf(name, sizeof name, "%04d", i);
        bool ours = i == 5 || i == 120;
        AddInstance(name, ours ? "ORVANE" : "Other Audio Ltd.");
    }
    RemoveOldDriverRegistry();
    EXPECT_EQ(0, InstanceState("0005"));
    EXPECT_EQ(0, InstanceState("0120"));
    EXPECT_EQ(1, InstanceState("0119"));
    EXPECT_EQ(128u, reg.SubkeyNames(Media).size());
}

TEST_F(RegistryCleanupTest, MoreThanFifteenMediaResourceMatches) {
    AddInstance("0000", "ORVANE");
    AddInstance("0001", "Other Audio Ltd.");
    for (int i = 0; i < 25; ++i) {
        reg.AddKey(Resources + "\\wave\\" + ResourceEntry("drv" + std::to_string(i), "0000"));
        reg.AddKey(Resources + "\\wave\\" + ResourceEntry("drv" + std::to_string(i), "0001"));
    }
    RemoveOldDriverRegistry();
    for (const std::string& name : reg.SubkeyNames(Resources + "\\wave"))
        EXPECT_NE(std::string::npos, name.find("<0001>")) << name;
    EXPECT_EQ(26u, reg.SubkeyNames(Resources + "\\wave").size());
}

// ---- The subtree deletion ----

// Windows NT refuses keys with subkeys, and a recursion that steps on by index after a
// deletion skips every second sibling; siblings of equal length ("0000", "0001") are what
// the registry holds below device keys.
TEST_F(RegistryCleanupTest, DeleteKeyTreeRemovesWholeSubtreesDepthFirst) {
    for (bool nt : {false, true}) {
        SCOPED_TRACE(nt ? "NT rule" : "9x rule");
        sim::Machine machine;
        sim::MachineScope scope(machine);
        machine.registry.ntDeleteRule = nt;
        const std::string root = "HKEY_LOCAL_MACHINE\\Enum\\VIRTUAL\\TQR-SBEMU";
        for (const char* child : {"0000", "0001", "0002"})
            for (const char* grandchild : {"0000", "0001", "0002"})
                machine.registry.AddKey(root + "\\" + child + "\\" + grandchild + "\\LogConfig");
        machine.registry.AddKey("HKLM\\Enum\\VIRTUAL\\TQR-SBEMUX");

        EXPECT_EQ(os::ERROR_SUCCESS,
                  DeleteKeyTree(os::HKEY_LOCAL_MACHINE, "Enum\\VIRTUAL\\TQR-SBEMU"));
        EXPECT_FALSE(machine.registry.KeyExists(root));
        EXPECT_TRUE(machine.registry.KeyExists("HKLM\\Enum\\VIRTUAL\\TQR-SBEMUX"));
        // Each key was deleted after everything below it: 9 + 9 + 3 + 1 deletions.
        std::vector<std::string> deleted;
        for (const sim::JournalEntry& entry : machine.journal.Of("delete key"))
            deleted.push_back(entry.detail);
        ASSERT_EQ(22u, deleted.size());
        for (size_t i = 0; i < deleted.size(); ++i)
            for (size_t j = i + 1; j < deleted.size(); ++j)
                EXPECT_NE(0u, deleted[j].rfind(deleted[i] + "\\", 0))
                    << deleted[i] << " deleted before " << deleted[j];
        EXPECT_EQ(root, deleted.back());
    }
}

TEST_F(RegistryCleanupTest, DeleteKeyTreeGoesOnPastASubkeyItCannotDelete) {
    reg.ntDeleteRule = true;
    const std::string root = "HKEY_LOCAL_MACHINE\\Enum\\VIRTUAL\\TQR-SBEMU";
    for (const char* child : {"0000", "0001", "0002"})
        reg.AddKey(root + "\\" + child + "\\LogConfig");
    machine.faults.Fail("RegDeleteKeyA", root + "\\0000");

    EXPECT_NE(os::ERROR_SUCCESS, DeleteKeyTree(os::HKEY_LOCAL_MACHINE, "Enum\\VIRTUAL\\TQR-SBEMU"));
    EXPECT_EQ(std::vector<std::string>{"0000"}, reg.SubkeyNames(root));
    EXPECT_TRUE(reg.SubkeyNames(root + "\\0000").empty());
}

} // namespace
