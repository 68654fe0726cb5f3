// Message maps: for each window class a static table from a message (or a command or a
// notification of a control) to the member function that handles it.
//
// A table is written between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP, one line an entry:
//
//     BEGIN_MESSAGE_MAP(CSetupDlg, CDialog)
//         ON_WM_PAINT()
//         ON_BN_CLICKED(IDC_INSTALL_APPS, &CSetupDlg::OnInstallBoxClicked)
//     END_MESSAGE_MAP()
//
// and declared in the class with DECLARE_MESSAGE_MAP(). A message is looked up in the
// class's own table first, then in its base class's, and the first entry that matches
// handles it. A handler that wants the system's default handling after all calls
// CWnd::Default().
#pragma once

#include "platform/WinDefs.h"

class CWnd;

// Calls one handler on the window the message was sent to, with the message's parameters.
typedef os::LRESULT (*MessageHandler)(CWnd& window, os::WPARAM wParam, os::LPARAM lParam);

struct MessageMapEntry {
    os::UINT message; // the window message; WM_COMMAND for commands and notifications
    os::UINT code;    // WM_COMMAND: the notification code (BN_CLICKED for a click or a command)
    int id;           // WM_COMMAND: the command or control id
    MessageHandler handler; // nullptr ends the table
};

struct MessageMap {
    const MessageMap* base; // the base class's table, searched after this one; nullptr at the root
    const MessageMapEntry* entries;
};

// The entry of map (or of one of its bases) that handles message; nullptr when none does.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, os::UINT message, os::WPARAM wParam);

// In the class declaration.
// clang-format off
#define DECLARE_MESSAGE_MAP()                                                                  \
public:                                                                                        \
    static const MessageMap* ClassMessageMap();                                                \
    const MessageMap* GetMessageMap() const override { return ClassMessageMap(); }             \
                                                                                               \
private:

// In the class's source file. Handlers may be private: the entries are written inside a
// member function of the class.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                 \
    const MessageMap* theClass::ClassMessageMap() {                                            \
        using ThisClass [[maybe_unused]] = theClass;                                           \
        typedef baseClass TheBaseClass;                                                        \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                      \
            {0, 0, 0, nullptr}                                                                 \
        };                                                                                     \
        static const MessageMap map = {TheBaseClass::ClassMessageMap(), entries};              \
        return &map;                                                                           \
    }

// Handler: void OnSysCommand(os::UINT id, os::LPARAM lParam)
#define ON_WM_SYSCOMMAND()                                                                     \
    {os::WM_SYSCOMMAND, 0, 0, [](CWnd& w, os::WPARAM wParam, os::LPARAM lParam) -> os::LRESULT { \
        static_cast<ThisClass&>(w).OnSysCommand(static_cast<os::UINT>(wParam), lParam);        \
        return 0;                                                                              \
    }},

// Handler: void OnPaint()
#define ON_WM_PAINT()                                                                          \
    {os::WM_PAINT, 0, 0, [](CWnd& w, os::WPARAM, os::LPARAM) -> os::LRESULT {                  \
        static_cast<ThisClass&>(w).OnPaint();                                                  \
        return 0;                                                                              \
    }},

// Handler: os::HICON OnQueryDragIcon(); the icon is the message's result.
#define ON_WM_QUERYDRAGICON()                                                                  \
    {os::WM_QUERYDRAGICON, 0, 0, [](CWnd& w, os::WPARAM, os::LPARAM) -> os::LRESULT {          \
        return reinterpret_cast<os::LRESULT>(static_cast<ThisClass&>(w).OnQueryDragIcon());    \
    }},

// Handler: void memberFunction(), for the command id (a push button's click, a menu item).
#define ON_COMMAND(id, memberFunction)                                                         \
    {os::WM_COMMAND, os::BN_CLICKED, (id), [](CWnd& w, os::WPARAM, os::LPARAM) -> os::LRESULT { \
        (static_cast<ThisClass&>(w).*(memberFunction))();                                      \
        return 0;                                                                              \
    }},

// Handler: void memberFunction(), for a click on the button id (check boxes included).
#define ON_BN_CLICKED(id, memberFunction) ON_COMMAND(id, memberFunction)
// clang-format on
