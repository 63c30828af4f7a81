// The lookups behind the Buttons page's program lists, apart from the page so that each can
// be tried on its own.
#pragma once

#include <windows.h>

#include "CString.h"

// The maker's DisplayList value of program n (100 to 120) is a DWORD whose lowest byte is 1.
BOOL IsInDisplayList(int nProgram);

// The name a program's version resource gives: its file description when the company is
// exactly "Microsoft Corporation", its product name otherwise; empty when not found.
CString GetProgramNameFromVersion(const char* pszPath);
