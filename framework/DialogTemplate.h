// Dialog templates in memory: a copy of a template (DLGTEMPLATE or DLGTEMPLATEEX) in
// another font, as the property sheet gives its pages.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

// A copy of the cbTemplate bytes at pTemplate whose font is pszFace at nPointSize, with
// DS_SETFONT set; in the EX form the font is of normal weight, upright, default charset.
// Header and items are otherwise unchanged; the items keep their DWORD alignment (the copy
// is DWORD storage, so it can be handed to the system as it is). Empty when the template
// does not parse within its bytes.
std::vector<DWORD> CopyDialogTemplateWithFont(const void* pTemplate, size_t cbTemplate, const wchar_t* pszFace,
                                              WORD nPointSize);
