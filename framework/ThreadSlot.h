// CThreadSlot: one pointer per thread in a TLS slot of this module, taken on first use and
// given back when the module unloads; a thread that never wrote it reads null. It replaces
// thread_local, whose emulation would link a threads library into every binary.
#pragma once

#include <windows.h>

class CThreadSlot {
public:
    constexpr CThreadSlot() = default;
    CThreadSlot(const CThreadSlot&) = delete;
    CThreadSlot& operator=(const CThreadSlot&) = delete;
    ~CThreadSlot()
    {
        if (m_nIndex != LONG(TLS_OUT_OF_INDEXES))
            TlsFree(DWORD(m_nIndex));
    }

    void* Get() const
    {
        const DWORD dwIndex = Index();
        return dwIndex == TLS_OUT_OF_INDEXES ? nullptr : TlsGetValue(dwIndex);
    }
    void Set(void* pValue) const
    {
        const DWORD dwIndex = Index();
        if (dwIndex != TLS_OUT_OF_INDEXES)
            TlsSetValue(dwIndex, pValue);
    }

private:
    DWORD Index() const
    {
        if (m_nIndex == LONG(TLS_OUT_OF_INDEXES)) {
            // Two threads may race here: one slot wins, the other is given back.
            const DWORD dwIndex = TlsAlloc();
            if (InterlockedCompareExchange(&m_nIndex, LONG(dwIndex), LONG(TLS_OUT_OF_INDEXES)) !=
                LONG(TLS_OUT_OF_INDEXES) && dwIndex != TLS_OUT_OF_INDEXES)
                TlsFree(dwIndex);
        }
        return DWORD(m_nIndex);
    }

    mutable LONG m_nIndex = LONG(TLS_OUT_OF_INDEXES);
};
