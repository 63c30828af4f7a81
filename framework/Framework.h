// The framework in one include: the application object and module context, windows,
// dialogs, property sheets and pages, data exchange, controls, GDI, registry and COM
// owners, and the help seam.
#pragma once

#include "CString.h"
#include "Object.h"
#include "AppModule.h"
#include "Wnd.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "DialogTemplate.h"
#include "PropertySheet.h"
#include "Controls.h"
#include "Gdi.h"
#include "Registry.h"
#include "ComPtr.h"
#include "WinHelp.h"
