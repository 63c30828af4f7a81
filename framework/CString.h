// CString: a small value string (ANSI, the system code page) over std::string.
// It crosses the settings library's boundary, so its layout is exactly one std::string;
// add members, never data.
//
// Positions and lengths count bytes (a double-byte character counts two). Searches only
// match at character starts, so a trail byte is never taken for an ASCII character.
#pragma once

#include <windows.h>
#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(const char* pch, int nLength) : m_str(pch ? pch : "", pch && nLength > 0 ? nLength : 0) {}
    CString(const std::string& str) : m_str(str) {}
    CString(char ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    // Characters of the system code page: a double-byte character counts one.
    int GetCharCount() const;
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    operator const char*() const { return m_str.c_str(); }
    const char* GetString() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }
    char GetAt(int nIndex) const { return m_str.at(static_cast<size_t>(nIndex)); }

    CString& operator=(const char* psz) { m_str = psz ? psz : ""; return *this; }
    CString& operator+=(const CString& other) { m_str += other.m_str; return *this; }
    CString& operator+=(const char* psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(char ch) { m_str += ch; return *this; }
    friend CString operator+(CString a, const CString& b) { a += b; return a; }
    friend CString operator+(CString a, const char* b) { a += b; return a; }
    friend CString operator+(const char* a, const CString& b) { CString s(a); s += b; return s; }
    friend CString operator+(CString a, char b) { a += b; return a; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

    // Text of string resource nID from the current resource module (AfxGetResourceHandle),
    // converted to the system code page. FALSE, and the string empty, when there is none.
    BOOL LoadString(UINT nID);
    // The same from an explicit module.
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // printf-style as the system C library formats (no C99 length modifiers such as %zu or
    // %lld; %I64d); any length. Pass strings as const char* (GetString()), not CString.
    void Format(const char* pszFormat, ...) __attribute__((format(ms_printf, 2, 3)));
    void FormatV(const char* pszFormat, va_list args);

    // Substrings; counts and positions are clamped to the string, never out of range.
    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;

    // Index of the first/last occurrence at or after nStart, -1 if none.
    int Find(char ch, int nStart = 0) const;
    int Find(const char* pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;

    // Comparisons: <0, 0, >0. CompareNoCase ignores case character by character (DBCS
    // aware); CollateNoCase uses the user locale's collation ignoring case.
    int Compare(const char* psz) const;
    int CompareNoCase(const char* psz) const;
    int CollateNoCase(const char* psz) const;

    // Upper case in the system code page (double-byte characters are left alone).
    CString& MakeUpper();

    // White space (blank, tab, CR, LF, VT, FF) removed from the ends.
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();

    // Writable buffer of at least nMinBufLength characters plus the terminator. Call
    // ReleaseBuffer afterwards: -1 takes the length up to the first zero byte (never past
    // the buffer), otherwise nNewLength (clamped to the buffer).
    char* GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    std::string m_str;
};
