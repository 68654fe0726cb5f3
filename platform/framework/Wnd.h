// Windows as the program's classes see them: CWnd holds a window handle and wraps the calls
// the dialogs make on it; CButton and CStatic are the control members of a dialog, bound to
// the dialog's controls by DDX_Control.
#pragma once

#include "platform/WinDefs.h"
#include "platform/framework/MessageMap.h"

class CDialog;

class CWnd {
public:
    CWnd() : m_hWnd(nullptr), m_passToDefault(false) {}
    virtual ~CWnd() {}

    // The table of the root class is empty.
    static const MessageMap* ClassMessageMap();
    virtual const MessageMap* GetMessageMap() const { return ClassMessageMap(); }

    os::HWND GetSafeHwnd() const { return m_hWnd; }

    os::LRESULT SendMessage(os::UINT message, os::WPARAM wParam = 0, os::LPARAM lParam = 0);
    os::BOOL ShowWindow(int command);
    os::BOOL EnableWindow(os::BOOL enable = os::TRUE);
    os::BOOL IsWindowEnabled() const;
    os::BOOL IsWindowVisible() const;
    os::BOOL IsIconic() const;
    void GetClientRect(os::RECT* rect) const;
    // WM_SETICON: bigIcon TRUE sets the big icon (ICON_BIG), FALSE the small one.
    os::HICON SetIcon(os::HICON icon, os::BOOL bigIcon);
    // The window's system menu; nullptr when the window has none.
    os::HMENU GetSystemMenu(os::BOOL revert) const;

    // Runs message through the window's message map. TRUE when a handler took it (its result
    // in *result); FALSE when no entry matches or the handler asked for Default().
    os::BOOL OnWndMsg(os::UINT message, os::WPARAM wParam, os::LPARAM lParam, os::LRESULT* result);

    os::HWND m_hWnd;

protected:
    // Called by a handler: the message gets the system's default handling after the handler
    // returns (for a dialog: the dialog manager's).
    void Default() { m_passToDefault = true; }

private:
    bool m_passToDefault;
};

class CButton : public CWnd {
public:
    // BM_GETCHECK: BST_CHECKED (1) or BST_UNCHECKED (0).
    int GetCheck() const;
    // BM_SETCHECK with BST_CHECKED or BST_UNCHECKED.
    void SetCheck(int check);
};

class CStatic : public CWnd {};

// The paint device context of a window, between BeginPaint and EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC();
    os::HDC GetSafeHdc() const { return m_hDC; }
    os::BOOL DrawIcon(int x, int y, os::HICON icon);

    os::HDC m_hDC;

private:
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    CWnd* m_window;
    os::PAINTSTRUCT m_paint;
};

// Paints icon centred in the client area of a minimised window: erases the background
// with WM_ICONERASEBKGND and draws the icon at ((width - SM_CXICON + 1) / 2,
// (height - SM_CYICON + 1) / 2), divisions truncating toward zero.
void PaintMinimisedIcon(CWnd& window, os::HICON icon);

// The context of one data exchange between a dialog and its members.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, os::BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CDialog* m_pDlgWnd;
    os::BOOL m_bSaveAndValidate; // TRUE: controls to members; FALSE: members to controls
};

// Binds control, once, to the dialog's control id: the member then holds that control's
// window. A control that is bound already stays as it is.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
