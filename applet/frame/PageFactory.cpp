// Page classes join the sheet here, one case per page.
#include "PallumPage.h"

#include "AppModePage.h"
#include "GPButtonPage.h"
#include "MediaAppsPage.h"
#include "ModePanelPage.h"
#include "RemoconPage.h"

CPallumPage* CreatePallumPage(PallumPageId nPage)
{
    switch (nPage) {
    case PAGE_BUTTONS: return new CGPButtonPage;
    case PAGE_MEDIA: return new CMediaAppsPage;
    case PAGE_SUBLCD: return new CModePanelPage;
    case PAGE_APPMODE: return new CAppModePage;
    case PAGE_REMOCON: return new CRemoconPage;
    default: return nullptr;
    }
}
