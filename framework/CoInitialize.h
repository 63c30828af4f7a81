// CCoInitialize pairs CoInitialize with CoUninitialize only when the initialisation
// succeeded, so a thread whose COM was already set up in another apartment model is left as it
// was. Apart from ComPtr.h so that a class holding one does not bring in the COM headers.
#pragma once

#include <windows.h>

class CCoInitialize {
public:
    CCoInitialize();
    ~CCoInitialize();
    CCoInitialize(const CCoInitialize&) = delete;
    CCoInitialize& operator=(const CCoInitialize&) = delete;

    HRESULT Result() const { return m_hr; }

private:
    HRESULT m_hr;
};
