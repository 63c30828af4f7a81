#include "Wnd.h"

#include <map>
#include <memory>

#include "DataExchange.h"
#include "ThreadSlot.h"
#include "WndBinder.h"

const CRuntimeClass CWnd::classCWnd("CWnd", &CRuntimeClass::Create<CWnd>, &CObject::classCObject);

namespace {

// Handle maps. Bound objects are owned by their users; wrappers made by FromHandle for
// windows nobody bound are owned here and dropped once their window is gone.
class HandleMaps {
public:
    HandleMaps() { InitializeCriticalSection(&m_lock); }
    ~HandleMaps()
    {
        for (auto& entry : m_temporary)
            entry.second->m_hWnd = nullptr;
        DeleteCriticalSection(&m_lock);
    }

    CWnd* FindPermanent(HWND hWnd)
    {
        Lock lock(m_lock);
        auto it = m_permanent.find(hWnd);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    void AddPermanent(HWND hWnd, CWnd* pWnd)
    {
        Lock lock(m_lock);
        m_permanent[hWnd] = pWnd;
        DropTemporary(hWnd);
    }
    void RemovePermanent(HWND hWnd)
    {
        Lock lock(m_lock);
        m_permanent.erase(hWnd);
    }
    CWnd* Temporary(HWND hWnd)
    {
        Lock lock(m_lock);
        auto it = m_temporary.find(hWnd);
        if (it != m_temporary.end())
            return it->second.get();
        PurgeDeadTemporaries();
        std::unique_ptr<CWnd> pWnd(new CWnd);
        pWnd->m_hWnd = hWnd;
        CWnd* pResult = pWnd.get();
        m_temporary[hWnd] = std::move(pWnd);
        return pResult;
    }
    // Previous procedures of windows whose object let go while another procedure was
    // chained above ours: our procedure stays in the chain and forwards to these.
    void AddOrphan(HWND hWnd, WNDPROC pfnSuper)
    {
        Lock lock(m_lock);
        m_orphans[hWnd] = pfnSuper;
    }
    WNDPROC FindOrphan(HWND hWnd)
    {
        Lock lock(m_lock);
        auto it = m_orphans.find(hWnd);
        return it == m_orphans.end() ? nullptr : it->second;
    }
    void RemoveOrphan(HWND hWnd)
    {
        Lock lock(m_lock);
        m_orphans.erase(hWnd);
    }

private:
    class Lock {
    public:
        explicit Lock(CRITICAL_SECTION& cs) : m_cs(cs) { EnterCriticalSection(&m_cs); }
        ~Lock() { LeaveCriticalSection(&m_cs); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        CRITICAL_SECTION& m_cs;
    };

    void DropTemporary(HWND hWnd)
    {
        auto it = m_temporary.find(hWnd);
        if (it != m_temporary.end()) {
            it->second->m_hWnd = nullptr;
            m_temporary.erase(it);
        }
    }
    void PurgeDeadTemporaries()
    {
        for (auto it = m_temporary.begin(); it != m_temporary.end();) {
            if (::IsWindow(it->first)) {
                ++it;
            } else {
                it->second->m_hWnd = nullptr;
                it = m_temporary.erase(it);
            }
        }
    }

    CRITICAL_SECTION m_lock;
    std::map<HWND, CWnd*> m_permanent;
    std::map<HWND, std::unique_ptr<CWnd>> m_temporary;
    std::map<HWND, WNDPROC> m_orphans;
};

HandleMaps& Maps()
{
    static HandleMaps s_maps;
    return s_maps;
}

bool IsDialogWindow(HWND hWnd)
{
    char szClass[16] = {};
    return GetClassNameA(hWnd, szClass, sizeof(szClass)) > 0 && lstrcmpA(szClass, "#32770") == 0;
}

}  // namespace

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr), m_current{0, 0, 0}, m_nLockoutNotify(0) {}

CWnd::~CWnd()
{
    if (m_hWnd && m_pfnSuper)
        UnsubclassWindow();
    else if (m_hWnd)
        Detach();
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    return Maps().Temporary(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? Maps().FindPermanent(hWnd) : nullptr;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    m_hWnd = hWnd;
    Maps().AddPermanent(hWnd, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd)
        Maps().RemovePermanent(hWnd);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    if (WNDPROC pfnOrphanSuper = Maps().FindOrphan(hWnd)) {
        // Our procedure is still in the chain from an earlier binding: take the messages
        // there again rather than stacking a second copy that would dispatch them twice.
        Maps().RemoveOrphan(hWnd);
        m_pfnSuper = pfnOrphanSuper;
        return TRUE;
    }
    SetLastError(ERROR_SUCCESS);
    const LONG_PTR previous = SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
    if (previous == 0) {
        Detach();
        return FALSE;
    }
    m_pfnSuper = reinterpret_cast<WNDPROC>(previous);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent || !pParent->m_hWnd)
        return FALSE;
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd || !m_pfnSuper)
        return Detach();
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == &SubclassProc)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    else
        Maps().AddOrphan(m_hWnd, m_pfnSuper);
    return Detach();
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd && pWnd->m_pfnSuper)
        return pWnd->Dispatch(message, wParam, lParam);
    WNDPROC pfnSuper = Maps().FindOrphan(hWnd);
    if (message == WM_NCDESTROY)
        Maps().RemoveOrphan(hWnd);
    if (pfnSuper)
        return CallWindowProcA(pfnSuper, hWnd, message, wParam, lParam);
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CurrentMessage saved = m_current;
    m_current = {message, wParam, lParam};
    const LRESULT result = WindowProc(message, wParam, lParam);
    m_current = saved;
    if (message == WM_NCDESTROY && m_hWnd) {
        // The window's last message: give it its procedure back if nobody chained above us
        // (the window dies either way, so nothing is left to forward) and let go of it.
        HWND hWnd = m_hWnd;
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == &SubclassProc)
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        Detach();
        Maps().RemoveOrphan(hWnd);
        PostNcDestroy();
    }
    return result;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

BOOL CWnd::IsWindow() const
{
    return m_hWnd && ::IsWindow(m_hWnd);
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

void CWnd::SetWindowText(const char* pszText)
{
    ::SetWindowTextA(m_hWnd, pszText ? pszText : "");
}

CString CWnd::GetWindowText() const
{
    CString strText;
    const int nLength = ::GetWindowTextLengthA(m_hWnd);
    if (nLength > 0) {
        ::GetWindowTextA(m_hWnd, strText.GetBuffer(nLength), nLength + 1);
        strText.ReleaseBuffer();
    }
    return strText;
}

void CWnd::InvalidateRect(const RECT* pRect, BOOL bErase)
{
    ::InvalidateRect(m_hWnd, pRect, bErase);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::GetClientRect(RECT* pRect) const
{
    ::GetClientRect(m_hWnd, pRect);
}

void CWnd::GetWindowRect(RECT* pRect) const
{
    ::GetWindowRect(m_hWnd, pRect);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    HWND hWndInsertAfter = pWndInsertAfter ? pWndInsertAfter->m_hWnd : HWND_TOP;
    return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD dwStyle = static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE));
    const DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(dwNewStyle));
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

HMENU CWnd::GetSystemMenu(BOOL bRevert) const
{
    return ::GetSystemMenu(m_hWnd, bRevert);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    ++m_nLockoutNotify;
    DoDataExchange(&dx);
    --m_nLockoutNotify;
    return !dx.HasFailed();
}

void CWnd::DoDataExchange(CDataExchange* /*pDX*/) {}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // A control's notification while UpdateData fills or reads the controls.
        if (m_nLockoutNotify > 0 && lParam != 0)
            return 0;
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result)) {
            if (IsDialogWindow(m_hWnd))
                SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
            return result;
        }
        break;
    }
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_CREATE:
        return OnCreate(reinterpret_cast<LPCREATESTRUCTA>(lParam));
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_HELP:
        return OnHelpInfo(reinterpret_cast<HELPINFO*>(lParam));
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam);
        return 0;
    default:
        break;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT* /*pResult*/)
{
    return FALSE;
}

BOOL CWnd::OnInitDialog()
{
    return static_cast<BOOL>(Default());
}

int CWnd::OnCreate(LPCREATESTRUCTA /*lpCreateStruct*/)
{
    return static_cast<int>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

BOOL CWnd::OnHelpInfo(HELPINFO* /*pHelpInfo*/)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    DefWindowProc(WM_SYSCOMMAND, nID, lParam);
}

void CWnd::PostNcDestroy() {}

// CWndBinder: binds the next dialog window this thread creates to a waiting object.

namespace {

constinit CThreadSlot t_waitingBinder;  // the binder whose CWnd the next dialog window binds to

}  // namespace

LRESULT CALLBACK BinderCbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CWndBinder* pWaiting = static_cast<CWndBinder*>(t_waitingBinder.Get());
    const HWND hWnd = reinterpret_cast<HWND>(wParam);
    const bool bBind = nCode == HCBT_CREATEWND && pWaiting && IsDialogWindow(hWnd);
    if (bBind) {
        t_waitingBinder.Set(nullptr);
        pWaiting->m_pWnd->SubclassWindow(hWnd);
    }
    const LRESULT lResult = CallNextHookEx(nullptr, nCode, wParam, lParam);
    if (bBind)
        pWaiting->Unhook();
    return lResult;
}

CWndBinder::CWndBinder(CWnd* pWnd)
    : m_pWnd(pWnd), m_pPrevWaiting(static_cast<CWndBinder*>(t_waitingBinder.Get())), m_hHook(nullptr)
{
    t_waitingBinder.Set(this);
    m_hHook = SetWindowsHookExA(WH_CBT, &BinderCbtProc, nullptr, GetCurrentThreadId());
}

CWndBinder::~CWndBinder()
{
    Unhook();
    t_waitingBinder.Set(m_pPrevWaiting);
}

void CWndBinder::Unhook()
{
    if (m_hHook)
        UnhookWindowsHookEx(m_hHook);
    m_hHook = nullptr;
}
