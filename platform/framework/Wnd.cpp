#include "platform/framework/Wnd.h"

#include "platform/Window.h"
#include "platform/framework/Dialog.h"

const MessageMap* CWnd::ClassMessageMap() {
    static const MessageMapEntry entries[] = {{0, 0, 0, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

os::LRESULT CWnd::SendMessage(os::UINT message, os::WPARAM wParam, os::LPARAM lParam) {
    return os::SendMessageA(m_hWnd, message, wParam, lParam);
}

os::BOOL CWnd::ShowWindow(int command) {
    return os::ShowWindow(m_hWnd, command);
}
os::BOOL CWnd::EnableWindow(os::BOOL enable) {
    return os::EnableWindow(m_hWnd, enable);
}
os::BOOL CWnd::IsWindowEnabled() const {
    return os::IsWindowEnabled(m_hWnd);
}
os::BOOL CWnd::IsWindowVisible() const {
    return os::IsWindowVisible(m_hWnd);
}
os::BOOL CWnd::IsIconic() const {
    return os::IsIconic(m_hWnd);
}
void CWnd::GetClientRect(os::RECT* rect) const {
    os::GetClientRect(m_hWnd, rect);
}

os::HICON CWnd::SetIcon(os::HICON icon, os::BOOL bigIcon) {
    return reinterpret_cast<os::HICON>(SendMessage(os::WM_SETICON,
                                                   bigIcon ? os::ICON_BIG : os::ICON_SMALL,
                                                   reinterpret_cast<os::LPARAM>(icon)));
}

os::HMENU CWnd::GetSystemMenu(os::BOOL revert) const {
    return os::GetSystemMenu(m_hWnd, revert);
}

os::BOOL CWnd::OnWndMsg(os::UINT message, os::WPARAM wParam, os::LPARAM lParam,
                        os::LRESULT* result) {
    const MessageMapEntry* entry = FindMessageEntry(GetMessageMap(), message, wParam);
    if (!entry)
        return os::FALSE;
    // A handler may send further messages to this window; each message keeps its own
    // request for the default handling.
    const bool outer = m_passToDefault;
    m_passToDefault = false;
    *result = entry->handler(*this, wParam, lParam);
    const bool handled = !m_passToDefault;
    m_passToDefault = outer;
    return handled ? os::TRUE : os::FALSE;
}

int CButton::GetCheck() const {
    return static_cast<int>(os::SendMessageA(m_hWnd, os::BM_GETCHECK, 0, 0));
}

void CButton::SetCheck(int check) {
    SendMessage(os::BM_SETCHECK, static_cast<os::WPARAM>(check));
}

CPaintDC::CPaintDC(CWnd* window) : m_hDC(nullptr), m_window(window), m_paint() {
    m_hDC = os::BeginPaint(window->m_hWnd, &m_paint);
}

CPaintDC::~CPaintDC() {
    os::EndPaint(m_window->m_hWnd, &m_paint);
}

os::BOOL CPaintDC::DrawIcon(int x, int y, os::HICON icon) {
    return os::DrawIcon(m_hDC, x, y, icon);
}

void PaintMinimisedIcon(CWnd& window, os::HICON icon) {
    CPaintDC dc(&window);
    window.SendMessage(os::WM_ICONERASEBKGND, reinterpret_cast<os::WPARAM>(dc.GetSafeHdc()));
    os::RECT client;
    window.GetClientRect(&client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    // C++ integer division truncates toward zero, as the centring needs when the client
    // area is smaller than the icon.
    const int x = (width - os::GetSystemMetrics(os::SM_CXICON) + 1) / 2;
    const int y = (height - os::GetSystemMetrics(os::SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, icon);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (control.m_hWnd)
        return;
    control.m_hWnd = os::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id);
}
