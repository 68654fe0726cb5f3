// CDialog: a modal dialog built from a dialog template of the program's resources.
//
// DoModal runs the dialog until EndDialog; the dialog manager then destroys the window and
// DoModal returns the result. Messages reach the derived class through its message map; the
// commands IDOK and IDCANCEL (the OK and Cancel buttons, Enter and Escape, the close command
// of the system menu) reach the virtual OnOK and OnCancel.
#pragma once

#include "platform/framework/Wnd.h"

class CDialog : public CWnd {
public:
    // parent nullptr: the application's main window owns the dialog while it runs (none
    // when the dialog is the main window itself).
    explicit CDialog(os::UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally; the value given to EndDialog, or -1 when the dialog could not
    // be created.
    virtual os::INT_PTR DoModal();
    void EndDialog(int result);

    // Binds the control members and exchanges their data: FALSE from members to controls
    // (as the dialog initialises), TRUE from controls to members (before OK ends it).
    os::BOOL UpdateData(os::BOOL saveAndValidate = os::TRUE);

    // The dialog for a window handle, while its DoModal runs; nullptr for any other window.
    static CDialog* FromHandle(os::HWND window);

    DECLARE_MESSAGE_MAP()

protected:
    // WM_INITDIALOG: binds the controls (UpdateData(FALSE)) and returns TRUE, so that the
    // dialog manager gives the focus to the first tab stop.
    virtual os::BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    // IDOK: UpdateData(TRUE), then EndDialog(IDOK).
    virtual void OnOK();
    // IDCANCEL: EndDialog(IDCANCEL).
    virtual void OnCancel();
    // Default handling of the system commands (the close command among them).
    void OnSysCommand(os::UINT id, os::LPARAM lParam);
    // Default painting.
    void OnPaint();

private:
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    static os::INT_PTR DialogProc(os::HWND window, os::UINT message, os::WPARAM wParam,
                                  os::LPARAM lParam);
    void Attach(os::HWND window);
    void Detach();

    os::UINT m_nIDHelp; // the template id
    CWnd* m_pParentWnd;
    CDialog* m_pNextRunning; // the dialog that was running when this one started
};
