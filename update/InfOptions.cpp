#include "update/InfOptions.h"

#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/WinDefs.h"

namespace {

// A pause before the MIDI and game port writes, none before the speaker jack write.
const os::DWORD OptionPauseMs = 100;
const os::DWORD NoPause = 0;

const char* const ReadWriteMode = "r+b"; // read and write, not truncated
const int ReadChunk = 4096;
const int NotFound = -1;

// The whole file as it is on disk; INF files are small.
CString ReadAllBytes(os::FILE* file) {
    CString bytes;
    char chunk[ReadChunk];
    int read;
    while ((read = os::fread(chunk, ReadChunk, file)) > 0)
        bytes.Append(chunk, read);
    return bytes;
}

bool SameBytes(const CString& text, int start, const char* line, int length) {
    for (int i = 0; i < length; ++i)
        if (text[start + i] != line[i])
            return false;
    return true;
}

// The offset of the value digit (the last character) of the first line of text that reads
// exactly as line, or NotFound.
//
// This is the line a text-mode search with fgets finds in a CR LF file: fgets hands a line
// over with its CR LF turned into one LF, and the search drops that last character before
// comparing. The same holds here for a line ending in LF alone. A last line without a line
// end would lose a character of its own to that step, so it is never taken for an option
// line; a line longer than fgets reads at once is compared whole, never by its last piece.
// The digit's offset is found from the line's start, not by stepping back over the line
// end, which would land on another byte where the line does not end in CR LF.
int FindValueDigit(const CString& text, const char* line) {
    const int lineLength = StringLength(line);
    int start = 0;
    for (;;) {
        const int lineFeed = text.Find('\n', start);
        if (lineFeed == NotFound)
            return NotFound;
        int end = lineFeed;
        if (end > start && text[end - 1] == '\r')
            --end;
        if (end - start == lineLength && SameBytes(text, start, line, lineLength))
            return start + lineLength - 1;
        start = lineFeed + 1;
    }
}

// Whether the dialog's box of a row is checked; asked when the row's turn comes.
bool BoxIsChecked(void* dialog, const InfOptionRow& row) {
    return (static_cast<CDriverUpdateDlg*>(dialog)->*row.box).GetCheck() != 0;
}

} // namespace

const InfOptionRow InfOptionRows[InfOptionCount] = {
    {&CDriverUpdateDlg::MidiPortBox, "HKR,Config,DISMPU,1,0", '1', OptionPauseMs},
    {&CDriverUpdateDlg::GamePortBox, "HKR,Config,DISJSTK,1,0", '1', OptionPauseMs},
    {&CDriverUpdateDlg::FourJackBox, "HKR,Config,LINEINasREAR,1,1", '0', NoPause},
};

void EditInfOptions(const CString& path, InfOptionChoice choice) {
    // 1.
    os::FILE* file = os::fopen(path, ReadWriteMode);
    if (!file)
        return;
    CString text = ReadAllBytes(file);

    // 2. Each row searches from the start of the file, so the lines may stand in any order.
    for (const InfOptionRow& row : InfOptionRows) {
        if (!choice.isChosen(choice.context, row))
            continue;
        const int digit = FindValueDigit(text, row.line);
        if (digit == NotFound)
            continue;
        if (row.pauseMs != NoPause)
            os::Sleep(row.pauseMs);
        // One byte in place; the results are not looked at, as a failed write leaves the
        // default the package brought.
        os::fseek(file, digit, os::FILE_BEGIN);
        os::fwrite(&row.value, 1, file);
        os::fflush(file);
        text.SetAt(digit, row.value);
    }

    // 3.
    os::fseek(file, 0, os::FILE_END);
    os::fflush(file);
    os::fclose(file);
}

void CDriverUpdateDlg::ApplyInfOptions(const CString& path) {
    EditInfOptions(path, InfOptionChoice{BoxIsChecked, this});
}
