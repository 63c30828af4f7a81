#include "Object.h"

#include <cstring>

namespace {

// Head of the registered records. Constant-initialised, so records of any translation unit
// may register during static construction.
const CRuntimeClass* g_pFirstClass = nullptr;

}  // namespace

const CRuntimeClass CObject::classCObject("CObject", nullptr, nullptr);

CRuntimeClass::CRuntimeClass(const char* pszClassName, CreateProc pfnCreate, const CRuntimeClass* pBaseClass)
    : m_lpszClassName(pszClassName), m_pfnCreateObject(pfnCreate), m_pBaseClass(pBaseClass), m_pNextClass(g_pFirstClass)
{
    g_pFirstClass = this;
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass; pClass = pClass->m_pBaseClass) {
        if (pClass == pBaseClass)
            return true;
    }
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* pszClassName)
{
    if (!pszClassName)
        return nullptr;
    for (const CRuntimeClass* pClass = g_pFirstClass; pClass; pClass = pClass->m_pNextClass) {
        if (std::strcmp(pClass->m_lpszClassName, pszClassName) == 0)
            return pClass;
    }
    return nullptr;
}
