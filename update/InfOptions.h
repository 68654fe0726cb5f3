// The driver update's three hardware options and how they are written into the INF copies in
// the Windows INF directory before Windows reads them.
//
// Each option is one entry of an add-registry section of the driver's INF files: root HKR
// (the device's own software key), subkey Config, the value name, flag 1 (a binary value)
// and one hexadecimal digit of data. The package's INF files carry the default state; a
// checked box flips exactly that one digit, so the driver that Windows installs after the
// restart comes up with the option.
#pragma once

#include "platform/WinTypes.h"
#include "update/DriverUpdateDlg.h"

struct InfOptionRow {
    // The check box of the update dialog that asks for the option.
    CButton CDriverUpdateDlg::*box;
    // The line searched, exactly; it ends in the package's default digit, so a line that
    // already holds the other value is left alone.
    const char* line;
    // Written over that digit.
    char value;
    // Pause before the write; 0: none.
    os::DWORD pauseMs;
};

const int InfOptionCount = 3;

// Disable MIDI port, disable game port, four separate speaker jacks, in the order in which
// they are applied.
extern const InfOptionRow InfOptionRows[InfOptionCount];

// Which rows a run applies: asked for each row, in row order, just before the row is applied.
struct InfOptionChoice {
    bool (*isChosen)(void* context, const InfOptionRow& row);
    void* context;
};

// Edits the INF file at path in place. It is opened for reading and writing without
// truncation; a file that does not open is left alone and nothing is reported. For each
// chosen row, in row order: the first line of the file, searched from its start, that reads
// exactly as the row's line gets its value digit replaced by the row's byte, after the row's
// pause; a row whose line is not there changes nothing.
//
// A line is the text before its line end: LF, or CR LF (one CR: further CRs belong to the
// text). A last line without a line end is not compared, and lines are compared whole,
// whatever their length. The file keeps its length and every byte but the digits written.
void EditInfOptions(const CString& path, InfOptionChoice choice);
