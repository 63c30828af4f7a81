#include "CString.h"

#include <mbstring.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "AppModule.h"

namespace {

bool IsTrimSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
}

int Clamp(int n, int nLow, int nHigh)
{
    return std::max(nLow, std::min(n, nHigh));
}

// Length of the character starting at s[i]: 2 for a lead byte followed by a trail byte.
size_t CharLength(const std::string& s, size_t i)
{
    return (IsDBCSLeadByte(static_cast<BYTE>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

}  // namespace

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    m_str.clear();
    // Length 0 asks for a pointer into the resource itself: no fixed buffer, no truncation.
    const wchar_t* pwsz = nullptr;
    const int nWide = LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&pwsz), 0);
    if (nWide <= 0 || !pwsz)
        return FALSE;
    const int nBytes = WideCharToMultiByte(CP_ACP, 0, pwsz, nWide, nullptr, 0, nullptr, nullptr);
    if (nBytes <= 0)
        return FALSE;
    m_str.resize(static_cast<size_t>(nBytes));
    WideCharToMultiByte(CP_ACP, 0, pwsz, nWide, &m_str[0], nBytes, nullptr, nullptr);
    return TRUE;
}

void CString::Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const char* pszFormat, va_list args)
{
    if (!pszFormat) {
        m_str.clear();
        return;
    }
    // The system C library's formatter: the C99 one static linking would add weighs more
    // than the rest of the framework, for conversions nothing here uses.
    va_list copy;
    va_copy(copy, args);
    const int nLength = _vscprintf(pszFormat, copy);
    va_end(copy);
    if (nLength <= 0) {
        m_str.clear();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(nLength) + 1);
    _vsnprintf(buffer.data(), buffer.size(), pszFormat, args);
    m_str.assign(buffer.data(), static_cast<size_t>(nLength));
}

CString CString::Left(int nCount) const
{
    return CString(m_str.substr(0, static_cast<size_t>(Clamp(nCount, 0, GetLength()))));
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    const int nStart = Clamp(nFirst, 0, GetLength());
    const int nTake = Clamp(nCount, 0, GetLength() - nStart);
    return CString(m_str.substr(static_cast<size_t>(nStart), static_cast<size_t>(nTake)));
}

CString CString::Right(int nCount) const
{
    const int nTake = Clamp(nCount, 0, GetLength());
    return CString(m_str.substr(m_str.size() - static_cast<size_t>(nTake)));
}

int CString::GetCharCount() const
{
    int nCount = 0;
    for (size_t i = 0; i < m_str.size(); i += CharLength(m_str, i))
        ++nCount;
    return nCount;
}

int CString::Find(char ch, int nStart) const
{
    const char sz[2] = {ch, '\0'};
    return ch ? Find(sz, nStart) : -1;
}

int CString::Find(const char* pszSub, int nStart) const
{
    if (!pszSub || nStart < 0)
        return -1;
    const size_t nSub = std::strlen(pszSub);
    for (size_t i = 0; i + nSub <= m_str.size(); i += CharLength(m_str, i)) {
        if (i >= static_cast<size_t>(nStart) && m_str.compare(i, nSub, pszSub) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    int nFound = -1;
    for (size_t i = 0; i < m_str.size(); i += CharLength(m_str, i)) {
        if (m_str[i] == ch)
            nFound = static_cast<int>(i);
    }
    return nFound;
}

int CString::Compare(const char* psz) const
{
    return std::strcmp(m_str.c_str(), psz ? psz : "");
}

int CString::CompareNoCase(const char* psz) const
{
    return _mbsicmp(reinterpret_cast<const unsigned char*>(m_str.c_str()),
                    reinterpret_cast<const unsigned char*>(psz ? psz : ""));
}

int CString::CollateNoCase(const char* psz) const
{
    const int nResult = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, m_str.c_str(), -1, psz ? psz : "", -1);
    return nResult == 0 ? CompareNoCase(psz) : nResult - CSTR_EQUAL;
}

CString& CString::MakeUpper()
{
    for (size_t i = 0; i < m_str.size(); i += CharLength(m_str, i)) {
        if (CharLength(m_str, i) == 1)
            CharUpperBuffA(&m_str[i], 1);
    }
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::TrimLeft()
{
    size_t n = 0;
    while (n < m_str.size() && IsTrimSpace(m_str[n]))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimRight()
{
    // A trail byte may look like white space only below 0x40, which no code page uses, so
    // scanning from the end is safe.
    size_t n = m_str.size();
    while (n > 0 && IsTrimSpace(m_str[n - 1]))
        --n;
    m_str.erase(n);
    return *this;
}

char* CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufLength));
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    size_t nLength;
    if (nNewLength < 0)
        nLength = strnlen(m_str.data(), m_str.size());
    else
        nLength = std::min(static_cast<size_t>(nNewLength), m_str.size());
    m_str.resize(nLength);
}
