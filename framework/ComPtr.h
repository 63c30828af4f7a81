// COM ownership: CComPtr releases its interface once (CCoInitialize, in CoInitialize.h,
// pairs CoInitialize with CoUninitialize).
#pragma once

#include <windows.h>
#include <objbase.h>

#include <memory>

#include "CoInitialize.h"

template <class T>
class CComPtr {
public:
    CComPtr() : p(nullptr) {}
    // Takes over a reference the caller owns (no AddRef).
    explicit CComPtr(T* pTake) : p(pTake) {}
    ~CComPtr() { Release(); }
    CComPtr(CComPtr&& other) noexcept : p(other.Detach()) {}
    CComPtr& operator=(CComPtr&& other) noexcept
    {
        if (this != std::addressof(other)) {
            Release();
            p = other.Detach();
        }
        return *this;
    }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;

    T* operator->() const { return p; }
    operator T*() const { return p; }
    // For out parameters: releases what was held first.
    T** operator&()
    {
        Release();
        return &p;
    }
    void Release()
    {
        if (p) {
            T* pOld = p;
            p = nullptr;
            pOld->Release();
        }
    }
    void Attach(T* pTake)
    {
        Release();
        p = pTake;
    }
    T* Detach()
    {
        T* pOld = p;
        p = nullptr;
        return pOld;
    }
    HRESULT CoCreateInstance(REFCLSID rclsid, REFIID riid, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL)
    {
        Release();
        return ::CoCreateInstance(rclsid, pOuter, dwClsContext, riid, reinterpret_cast<void**>(&p));
    }

    T* p;
};
