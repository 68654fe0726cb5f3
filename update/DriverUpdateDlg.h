// CDriverUpdateDlg: the dialog of the driver update, template IDD_DRIVER_UPDATE. Three
// hardware options as check boxes, all unchecked at the start; "Install" (IDOK) runs the
// update, "Cancel" ends the program without a change.
#pragma once

#include <stdint.h>

#include "platform/framework/Dialog.h"

class CDriverUpdateDlg : public CDialog {
public:
    explicit CDriverUpdateDlg(CWnd* parent = nullptr);

    // The directory the program was started in, ending in a backslash; set by OnInitDialog.
    CString SourceDir;
    // Setup.ini [InstallOption] FullPackage (0 when missing): non-zero for a full driver
    // package, 0 for an update package that relies on the installed sound banks. Set by
    // OnInitDialog.
    int32_t FullPackage;
    // The option boxes, bound by DoDataExchange; their states are read when the update runs.
    // Destroyed in reverse order (FourJackBox first), before the dialog part.
    CButton MidiPortBox; // IDC_MIDI_PORT "Disable MIDI port (device)"
    CButton GamePortBox; // IDC_GAME_PORT "Disable GAME port (device)"
    CButton FourJackBox; // IDC_FOUR_JACK "4 phonejack (rear speakers jack individually)"
    // Icon IDI_SETUP, the window's big and small icon, loaded once by the constructor.
    os::HICON DialogIcon;

    // Writes the options whose boxes are checked into the INF copy at path (in the Windows
    // INF directory), in place; see EditInfOptions. A copy that does not open is left alone.
    void ApplyInfOptions(const CString& path);

    DECLARE_MESSAGE_MAP()

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Sets the icons, SourceDir and FullPackage. Returns TRUE.
    os::BOOL OnInitDialog() override;
    // "Install": the driver update. Never returns: it ends the process, silently on Windows
    // NT, after the reason when the package cannot be used or a path or copy fails, and
    // otherwise through the completion message and the restart request.
    void OnOK() override;

private:
    // Minimised: the icon centred in the client area; otherwise the default painting.
    void OnPaint();
    os::HICON OnQueryDragIcon();
};
