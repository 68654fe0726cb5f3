#include "platform/framework/Dialog.h"

#include "platform/Process.h"
#include "platform/Window.h"
#include "platform/framework/WinApp.h"

namespace {

// Modal dialogs nest (the about box runs inside the setup dialog), so the running ones form
// a stack: the innermost first.
CDialog* g_runningDialogs = nullptr;

} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(os::IDOK, &CDialog::OnOK)
    ON_COMMAND(os::IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(os::UINT templateId, CWnd* parent)
    : m_nIDHelp(templateId), m_pParentWnd(parent), m_pNextRunning(nullptr) {}

CDialog::~CDialog() {
    Detach();
}

os::INT_PTR CDialog::DoModal() {
    // Without a parent of its own the dialog is owned by the main window, unless it is the
    // main window (whose window does not exist yet).
    os::HWND owner = nullptr;
    if (m_pParentWnd)
        owner = m_pParentWnd->m_hWnd;
    else if (GetApp() && GetApp()->m_pMainWnd && GetApp()->m_pMainWnd != this)
        owner = GetApp()->m_pMainWnd->m_hWnd;
    const os::HINSTANCE instance = GetApp() ? GetApp()->m_hInstance : os::GetModuleHandleA(nullptr);

    const os::INT_PTR result =
        os::DialogBoxParamA(instance, static_cast<int>(m_nIDHelp), owner, &CDialog::DialogProc,
                            reinterpret_cast<os::LPARAM>(this));
    Detach();
    return result;
}

void CDialog::EndDialog(int result) {
    os::EndDialog(m_hWnd, result);
}

os::BOOL CDialog::UpdateData(os::BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return os::TRUE;
}

CDialog* CDialog::FromHandle(os::HWND window) {
    for (CDialog* dialog = g_runningDialogs; dialog; dialog = dialog->m_pNextRunning)
        if (dialog->m_hWnd == window)
            return dialog;
    return nullptr;
}

os::BOOL CDialog::OnInitDialog() {
    UpdateData(os::FALSE);
    return os::TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    UpdateData(os::TRUE);
    EndDialog(os::IDOK);
}

void CDialog::OnCancel() {
    EndDialog(os::IDCANCEL);
}

void CDialog::OnSysCommand(os::UINT, os::LPARAM) {
    Default();
}

void CDialog::OnPaint() {
    Default();
}

// The dialog procedure of every CDialog. WM_INITDIALOG carries the CDialog object, which
// from then on receives the window's messages through its message map. A dialog procedure
// returns TRUE for a message it handled and FALSE to leave it to the dialog manager; the
// few messages whose result is a value (WM_QUERYDRAGICON) return that value instead.
os::INT_PTR CDialog::DialogProc(os::HWND window, os::UINT message, os::WPARAM wParam,
                                os::LPARAM lParam) {
    if (message == os::WM_INITDIALOG) {
        CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->Attach(window);
        return dialog->OnInitDialog();
    }
    CDialog* dialog = FromHandle(window);
    if (!dialog)
        return os::FALSE;
    os::LRESULT result = 0;
    if (!dialog->OnWndMsg(message, wParam, lParam, &result))
        return os::FALSE;
    if (message == os::WM_QUERYDRAGICON)
        return result;
    return os::TRUE;
}

void CDialog::Attach(os::HWND window) {
    m_hWnd = window;
    m_pNextRunning = g_runningDialogs;
    g_runningDialogs = this;
}

// Takes the dialog off the stack of running dialogs. Normally it is the innermost; a
// dialog object destroyed while its window still runs (the simulated process ending
// inside a handler) may sit deeper.
void CDialog::Detach() {
    for (CDialog** link = &g_runningDialogs; *link; link = &(*link)->m_pNextRunning) {
        if (*link == this) {
            *link = m_pNextRunning;
            break;
        }
    }
    m_pNextRunning = nullptr;
    m_hWnd = nullptr;
}
