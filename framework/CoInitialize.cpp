#include "CoInitialize.h"

#include <objbase.h>

CCoInitialize::CCoInitialize() : m_hr(::CoInitialize(nullptr)) {}

CCoInitialize::~CCoInitialize()
{
    if (SUCCEEDED(m_hr))
        ::CoUninitialize();
}
