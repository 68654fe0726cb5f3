// CAboutDlg: the about box of the setup dialog, template IDD_ABOUT.
#pragma once

#include "platform/framework/Dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    DECLARE_MESSAGE_MAP()

protected:
    // The about box has no controls to bind.
    void DoDataExchange(CDataExchange* pDX) override;
};
