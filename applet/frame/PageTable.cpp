// The one list of the sheet's pages; a page joins the sheet by its row here.
#include "PallumPage.h"

#include "AppModePage.h"
#include "GPButtonPage.h"
#include "MediaAppsPage.h"
#include "ModePanelPage.h"
#include "RemoconPage.h"
#include "resource.h"

const CPallumPageRow g_pallumPages[PAGE_COUNT] = {
    {"GPBtn", IDD_BUTTONS_PAGE, &CGPButtonPage::classCGPButtonPage},         // "Buttons"
    {"Media", IDD_MEDIA_PAGE, &CMediaAppsPage::classCMediaAppsPage},         // "Media Apps"
    {"ModePanel", IDD_SUBLCD_PAGE, &CModePanelPage::classCModePanelPage},    // "Sub LCD"
    {"AppMode", IDD_APPMODE_PAGE, &CAppModePage::classCAppModePage},         // "Application mode"
    {"Remocon", IDD_REMOCON_PAGE, &CRemoconPage::classCRemoconPage},         // "RC"
};

CPallumPage* CreatePallumPage(PallumPageId nPage)
{
    if (nPage < 0 || nPage >= PAGE_COUNT)
        return nullptr;
    return static_cast<CPallumPage*>(g_pallumPages[nPage].pClass->CreateObject());
}
