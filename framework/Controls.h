// Control classes: thin wrappers of the control messages. Bind them to dialog items with
// DDX_Control or SubclassDlgItem; a derived class handles the item's messages (for example
// OnPaint of a picture control).
#pragma once

#include <windows.h>

#include "Wnd.h"

class CStatic : public CWnd {
public:
    static const CRuntimeClass classCStatic;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCStatic; }
};

class CComboBox : public CWnd {
public:
    static const CRuntimeClass classCComboBox;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCComboBox; }

    // Index of the new entry, CB_ERR / CB_ERRSPACE on failure.
    int AddString(const char* pszString);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;           // CB_ERR (-1) when nothing is selected
    int SetCurSel(int nSelect);      // -1 clears; CB_ERR for a bad index
    // Entry text; empty for a bad index.
    CString GetLBText(int nIndex) const;
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
};
