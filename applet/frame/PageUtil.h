// Pieces the property pages share: a picture control with its magenta mapped to the window
// colour, enabling/showing one dialog item, the warning box, the shell's program lookup,
// string loading and context help.
#pragma once

#include "Controls.h"
#include "Gdi.h"

class CButtonInfo;

// SetDlgItemState: leave the enabled or the visible state as it is.
const int ITEM_UNCHANGED = 0xF000;

// A static control showing bitmap m_nBitmapId with RGB(255, 0, 255) replaced by the window
// colour (mapped once, at load).
class CBitmapStatic : public CStatic {
public:
    CBitmapStatic();
    ~CBitmapStatic() override;

    // Takes over the existing static control pControl and shows bitmap nBitmapId in it.
    // FALSE (nothing changed) when the control cannot be subclassed.
    BOOL SubclassBitmap(UINT nBitmapId, CWnd* pControl);
    // (Re)loads the colour-mapped bitmap; none is held if the resource is missing.
    void LoadMappedBitmap();

    void OnPaint() override;

    UINT m_nBitmapId;
    CBitmap m_bitmap;
};

// Enables/disables (enable nonzero/0) and shows (ShowWindow command) item nID of hDlg;
// ITEM_UNCHANGED leaves that state alone. FALSE when the dialog has no such item.
BOOL SetDlgItemState(HWND hDlg, int nID, int nEnable, int nShowCmd);

// String nStringId in a message box owned by hOwner, caption "Warning.", OK, exclamation.
void ShowWarningBox(HWND hOwner, UINT nStringId);

// The default value of HKEY_CLASSES_ROOT\pszKey (at most 260 characters).
BOOL ReadClassesRootDefault(CString& rOut, const char* pszKey);

// The program the shell opens a type with: pszType is a protocol or class name ("http"), or
// a file extension (".txt") whose class is looked up first. rOut gets the program's path
// without arguments; on FALSE rOut is unchanged.
BOOL GetAssociatedProgram(CString& rOut, const char* pszType);

// String nId of the current resource module; empty if it is missing.
CString LoadResString(UINT nId);

// Context help of a page or the sheet: when the request comes from a control listed in
// pHelpIds ((control id, help context id) pairs ended by 0, 0), opens help on it with the
// whole table and returns TRUE; other requests do nothing and return FALSE.
BOOL ShowControlHelp(const HELPINFO* pHelpInfo, const DWORD* pHelpIds);

// The settings library's custom program dialog on a button's custom program: it opens with
// the record's name, target, options and working folder, and a confirmed dialog stores the
// edited texts in the record. TRUE when the user confirmed.
BOOL EditCustomApp(CButtonInfo& button);
