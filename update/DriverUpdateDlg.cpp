#include "update/DriverUpdateDlg.h"

#include "app/SourceDir.h"
#include "platform/Profile.h"
#include "platform/framework/WinApp.h"
#include "res/resource.h"

namespace {
const char* const OptionFileName = "Setup.ini";
const char* const OptionSection = "InstallOption";
const char* const FullPackageKey = "FullPackage";
const int OptionDefault = 0;
} // namespace

BEGIN_MESSAGE_MAP(CDriverUpdateDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

CDriverUpdateDlg::CDriverUpdateDlg(CWnd* parent)
    : CDialog(IDD_DRIVER_UPDATE, parent), FullPackage(0),
      DialogIcon(GetApp()->LoadIcon(IDI_SETUP)) {}

void CDriverUpdateDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MIDI_PORT, MidiPortBox);
    DDX_Control(pDX, IDC_GAME_PORT, GamePortBox);
    DDX_Control(pDX, IDC_FOUR_JACK, FourJackBox);
}

os::BOOL CDriverUpdateDlg::OnInitDialog() {
    // 1. The boxes stay as the template made them: unchecked.
    CDialog::OnInitDialog();

    // 2.
    SetIcon(DialogIcon, os::TRUE);
    SetIcon(DialogIcon, os::FALSE);

    // 3.
    SourceDir = GetSourceDir();

    // 4.
    FullPackage = static_cast<int32_t>(os::GetPrivateProfileIntA(
        OptionSection, FullPackageKey, OptionDefault, SourceDir + OptionFileName));
    return os::TRUE;
}

void CDriverUpdateDlg::OnPaint() {
    if (IsIconic())
        PaintMinimisedIcon(*this, DialogIcon);
    else
        CDialog::OnPaint();
}

os::HICON CDriverUpdateDlg::OnQueryDragIcon() {
    return DialogIcon;
}
