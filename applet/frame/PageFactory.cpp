// Page classes join the sheet here, one case per page. A page class not yet in the build
// makes nothing, so its flag in the page set adds no tab and nothing fails. The page's
// folder switches its case on in applet/pages/CMakeLists.txt, together with its sources:
//     target_compile_definitions(kelvora_applet PRIVATE PALLUM_HAVE_BUTTONS_PAGE)
#include "PallumPage.h"

#ifdef PALLUM_HAVE_BUTTONS_PAGE
#include "GPButtonPage.h"
#endif
#ifdef PALLUM_HAVE_MEDIA_PAGE
#include "MediaAppsPage.h"
#endif
#ifdef PALLUM_HAVE_SUBLCD_PAGE
#include "ModePanelPage.h"
#endif
#ifdef PALLUM_HAVE_APPMODE_PAGE
#include "AppModePage.h"
#endif
#include "RemoconPage.h"

CPallumPage* CreatePallumPage(PallumPageId nPage)
{
    switch (nPage) {
#ifdef PALLUM_HAVE_BUTTONS_PAGE
    case PAGE_BUTTONS: return new CGPButtonPage;
#endif
#ifdef PALLUM_HAVE_MEDIA_PAGE
    case PAGE_MEDIA: return new CMediaAppsPage;
#endif
#ifdef PALLUM_HAVE_SUBLCD_PAGE
    case PAGE_SUBLCD: return new CModePanelPage;
#endif
#ifdef PALLUM_HAVE_APPMODE_PAGE
    case PAGE_APPMODE: return new CAppModePage;
#endif
    case PAGE_REMOCON: return new CRemoconPage;
    default: return nullptr;
    }
}
