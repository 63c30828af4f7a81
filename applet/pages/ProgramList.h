// The program numbers of the Buttons page and what each list row may offer.
// Plain functions: the page (GPButtonPage.cpp, ProgramList.cpp) decides per record.
#pragma once

#include <windows.h>

#include "CString.h"

// Program numbers, as the settings library stores a button's choice.
const int PROGRAM_BROWSER = 1;
const int PROGRAM_MAIL = 2;
const int PROGRAM_CUSTOM = 3;
const int PROGRAM_DISABLE = 4;
const int PROGRAM_TVOUT = 5;
const int PROGRAM_SELECT = 99;  // opens the custom program dialog; never stored
const int PROGRAM_MAKER_FIRST = 100;
const int PROGRAM_MAKER_LAST = 120;

// The custom program dialog's texts: room for 261 characters and the terminator.
const int CUSTOM_APP_TEXT_LEN = 261;

// Why an entry is offered.
enum ProgramOffer {
    OFFER_ALWAYS,
    OFFER_CUSTOM_APP,          // a custom program is registered for the button
    OFFER_LISTED,              // the maker's DisplayList says so
    OFFER_LISTED_PLATFORM,     // listed, and the platform kind is 3
    OFFER_LISTED_INSTALLED,    // listed, and the library says it is installed
    OFFER_TV_OUT,              // the general record's TV out rule
};

struct ProgramEntry {
    int nProgram;
    UINT nTextId;  // 0: the text is built from the record or the system
    ProgramOffer offer;
};

// Every entry a list can hold, top to bottom.
extern const ProgramEntry g_programEntries[];
extern const int g_nProgramEntries;

// The maker's DisplayList value of program n (100 to 120) has its lowest byte 1.
BOOL IsInDisplayList(int nProgram);

// The name a program's version resource gives: its file description when the company is
// exactly "Microsoft Corporation", its product name otherwise; empty when not found.
CString GetProgramNameFromVersion(const char* pszPath);

// Default value of HKEY_LOCAL_MACHINE\<pszKey>, at most 261 bytes; empty when unreadable.
CString ReadLocalMachineDefault(const char* pszKey);

// Copies src into a custom program text buffer, cut to fit the size the dialog is told.
void CopyCustomAppText(char* pszDest, const CString& src);
