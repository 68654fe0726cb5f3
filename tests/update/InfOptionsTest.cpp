// The editing of the hardware options in an INF copy, on small INF files of the simulated
// machine: which digit changes, which lines are left alone, the pauses, and files whose
// lines do not end in CR LF.
#include <gtest/gtest.h>

#include <stdint.h>

#include <string>

#include "platform/sim/Machine.h"
#include "update/InfOptions.h"

namespace {

const char* const InfPath = "C:\\WINDOWS\\INF\\ORVANE.INF";

const std::string Midi0 = "HKR,Config,DISMPU,1,0";
const std::string Midi1 = "HKR,Config,DISMPU,1,1";
const std::string Game0 = "HKR,Config,DISJSTK,1,0";
const std::string Game1 = "HKR,Config,DISJSTK,1,1";
const std::string Jack1 = "HKR,Config,LINEINasREAR,1,1";
const std::string Jack0 = "HKR,Config,LINEINasREAR,1,0";

const std::string Head = "[Version]\r\nSignature=\"$CHICAGO$\"\r\n[Orvane.AddReg]\r\n";
const std::string Tail = "[Strings]\r\nTQR-PCI.DeviceDesc=\"Orvane PCI Audio\"\r\n";

std::string CrLf(const std::string& line) {
    return line + "\r\n";
}

// An INF file with the three option lines in the package's default state, CR LF ended.
std::string Defaults() {
    return Head + CrLf(Midi0) + CrLf(Game0) + CrLf(Jack1) + Tail;
}

struct Boxes {
    bool midi;
    bool game;
    bool jack;
};
const Boxes None = {false, false, false};
const Boxes MidiOnly = {true, false, false};
const Boxes GameOnly = {false, true, false};
const Boxes JackOnly = {false, false, true};
const Boxes All = {true, true, true};

bool IsChosen(void* context, const InfOptionRow& row) {
    const Boxes& boxes = *static_cast<const Boxes*>(context);
    if (row.box == &CDriverUpdateDlg::MidiPortBox)
        return boxes.midi;
    if (row.box == &CDriverUpdateDlg::GamePortBox)
        return boxes.game;
    return boxes.jack;
}

struct Case {
    const char* name;
    std::string before;
    Boxes boxes;
    std::string after;
    uint64_t pauseMs; // the time the edit waited
};

class InfOptionsTest : public ::testing::TestWithParam<Case> {};

TEST_P(InfOptionsTest, ChangesOnlyTheValueDigitsOfTheFirstMatchingLines) {
    const Case& c = GetParam();
    sim::Machine machine;
    sim::MachineScope scope(machine);
    machine.files.AddFile(InfPath, c.before);
    Boxes boxes = c.boxes;
    const uint64_t start = machine.TickCount();

    EditInfOptions(InfPath, InfOptionChoice{IsChosen, &boxes});

    const std::string after = machine.files.Contents(InfPath);
    EXPECT_EQ(after, c.after);
    EXPECT_EQ(after.size(), c.before.size());
    EXPECT_EQ(machine.TickCount() - start, c.pauseMs);
    // One single-byte write for each digit changed, nothing else.
    size_t changed = 0;
    for (size_t i = 0; i < c.before.size() && i < after.size(); ++i)
        changed += c.before[i] != after[i];
    EXPECT_EQ(machine.journal.Of("edit").size(), changed) << machine.journal.Print();
}

// 1,023 characters: as much as one fgets into a 1,024-byte buffer reads, so that the rest
// of a line that begins with it would come as a read of its own.
const std::string LongComment = ";" + std::string(1022, '-');

INSTANTIATE_TEST_SUITE_P(
    Cases, InfOptionsTest,
    ::testing::Values(
        Case{"NoBox", Defaults(), None, Defaults(), 0},
        Case{"MidiAlone", Defaults(), MidiOnly,
             Head + CrLf(Midi1) + CrLf(Game0) + CrLf(Jack1) + Tail, 100},
        Case{"GameAlone", Defaults(), GameOnly,
             Head + CrLf(Midi0) + CrLf(Game1) + CrLf(Jack1) + Tail, 100},
        Case{"JackAloneWithoutPause", Defaults(), JackOnly,
             Head + CrLf(Midi0) + CrLf(Game0) + CrLf(Jack0) + Tail, 0},
        // Each row searches from the start again, so the order of the lines does not matter.
        Case{"AllBoxesLinesReversed", Head + CrLf(Jack1) + CrLf(Game0) + CrLf(Midi0) + Tail, All,
             Head + CrLf(Jack0) + CrLf(Game1) + CrLf(Midi1) + Tail, 200},
        // The search text holds the default digit: lines set already stay as they are.
        Case{"AlreadyFlipped", Head + CrLf(Midi1) + CrLf(Game1) + CrLf(Jack0) + Tail, All,
             Head + CrLf(Midi1) + CrLf(Game1) + CrLf(Jack0) + Tail, 0},
        // Whole lines, byte for byte.
        Case{"CaseSpacingAndComments",
             Head + CrLf("hkr,config,dismpu,1,0") + CrLf("HKR, Config, DISJSTK, 1, 0") +
                 CrLf(Jack1 + " ; rear jacks") + CrLf(" " + Midi0) + CrLf(Game0 + " ") + Tail,
             All,
             Head + CrLf("hkr,config,dismpu,1,0") + CrLf("HKR, Config, DISJSTK, 1, 0") +
                 CrLf(Jack1 + " ; rear jacks") + CrLf(" " + Midi0) + CrLf(Game0 + " ") + Tail,
             0},
        Case{"OnlyTheFirstOfTwoIdenticalLines",
             Head + CrLf(Midi0) + CrLf(Jack1) + "[Other.AddReg]\r\n" + CrLf(Midi0) + CrLf(Jack1),
             All,
             Head + CrLf(Midi1) + CrLf(Jack0) + "[Other.AddReg]\r\n" + CrLf(Midi0) + CrLf(Jack1),
             100},
        // A last line without a line end never matches...
        Case{"LastLineWithoutLineEnd", Head + CrLf(Game0) + Midi0, All, Head + CrLf(Game1) + Midi0,
             100},
        // ...nor does one whose text is an option line and one more character (a step back
        // from its end would write over the comma before the digit).
        Case{"LastLineOneCharacterLonger", Head + Midi0 + "0", All, Head + Midi0 + "0", 0},
        Case{"NoOptionLines", Head + Tail, All, Head + Tail, 0},
        // Nothing to read at all.
        Case{"EmptyFile", "", All, "", 0},
        // Lines ending in LF alone: the digit itself is written, not the comma before it.
        Case{"LineFeedOnly", "[AddReg]\n" + Midi0 + "\n" + Game0 + "\n" + Jack1 + "\n", All,
             "[AddReg]\n" + Midi1 + "\n" + Game1 + "\n" + Jack0 + "\n", 200},
        Case{"MixedLineEnds", Head + Midi0 + "\n" + CrLf(Jack1), All,
             Head + Midi1 + "\n" + CrLf(Jack0), 100},
        // A second CR is part of the line's text.
        Case{"DoubleCarriageReturn", Head + Midi0 + "\r\r\n", All, Head + Midi0 + "\r\r\n", 0},
        // A line longer than one read of the search is compared whole: its end is not a line.
        Case{"EndOfAVeryLongLine", Head + CrLf(LongComment + Midi0) + CrLf(Jack1), All,
             Head + CrLf(LongComment + Midi0) + CrLf(Jack0), 0}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// A copy that does not open is left alone, and nothing is created in its place.
TEST(InfOptionsOpenTest, AFileThatDoesNotOpenIsLeftAlone) {
    sim::Machine machine;
    sim::MachineScope scope(machine);
    Boxes boxes = All;
    const std::string missing = "C:\\WINDOWS\\INF\\MISSING.INF";
    const std::string readOnly = "C:\\WINDOWS\\INF\\READONLY.INF";
    machine.files.AddFile(readOnly, Defaults(), sim::AttrReadOnly);

    EditInfOptions(missing.c_str(), InfOptionChoice{IsChosen, &boxes});
    EditInfOptions(readOnly.c_str(), InfOptionChoice{IsChosen, &boxes});

    EXPECT_FALSE(machine.files.Exists(missing));
    EXPECT_EQ(machine.files.Contents(readOnly), Defaults());
    EXPECT_TRUE(machine.journal.Entries().empty()) << machine.journal.Print();
    EXPECT_EQ(machine.TickCount(), 0u);
}

} // namespace
