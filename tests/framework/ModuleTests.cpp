#include <gtest/gtest.h>

#include <string>

#include "Framework.h"
#include "resource.h"
#include "TestDll.h"

namespace {

std::string ProgramDirectory()
{
    char szPath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string path(szPath);
    return path.substr(0, path.find_last_of('\\') + 1);
}

class CLibrary {
public:
    explicit CLibrary(const std::string& path) : m_hModule(LoadLibraryA(path.c_str())) {}
    ~CLibrary()
    {
        if (m_hModule)
            FreeLibrary(m_hModule);
    }
    CLibrary(const CLibrary&) = delete;
    CLibrary& operator=(const CLibrary&) = delete;
    HMODULE m_hModule;
};

}  // namespace

TEST(ModuleContextTest, GuardSwitchesResourcesAndRestoresTheCallersContext)
{
    HINSTANCE hProgram = GetModuleHandleA(nullptr);
    CLibrary library(ProgramDirectory() + "framework_testdll.dll");
    ASSERT_NE(library.m_hModule, nullptr);
    HINSTANCE hLibrary = library.m_hModule;

    EXPECT_EQ(AfxGetResourceHandle(), hProgram);
    EXPECT_EQ(AfxGetStaticModuleHandle(), hProgram);
    CString s;
    {
        CModuleContext outer(hLibrary);
        EXPECT_EQ(AfxGetResourceHandle(), hLibrary);
        EXPECT_EQ(AfxGetApp(), nullptr);   // this program's framework has no app for that module
        s.LoadString(IDS_WHO);
        EXPECT_EQ(s, "test library");
        EXPECT_FALSE(s.LoadString(IDS_ONLY_IN_PROGRAM));
        {
            CModuleContext inner(hProgram);
            s.LoadString(IDS_WHO);
            EXPECT_EQ(s, "test program");
        }
        EXPECT_EQ(AfxGetResourceHandle(), hLibrary);
    }
    EXPECT_EQ(AfxGetResourceHandle(), hProgram);
    s.LoadString(IDS_WHO);
    EXPECT_EQ(s, "test program");
}

TEST(ModuleContextTest, LibraryAppInitialisesOnAttachAndItsEntrySwitchesContext)
{
    CLibrary library(ProgramDirectory() + "framework_testdll.dll");
    ASSERT_NE(library.m_hModule, nullptr);
    auto pfnProbe = reinterpret_cast<ProbeEntryProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(library.m_hModule, "ProbeEntry")));
    ASSERT_NE(pfnProbe, nullptr);

    HINSTANCE hProgram = GetModuleHandleA(nullptr);
    HINSTANCE hLibrary = library.m_hModule;
    for (int nCall = 0; nCall < 2; ++nCall) {
        ModuleProbe probe = {};
        pfnProbe(&probe);
        EXPECT_EQ(probe.hStatic, hLibrary);
        // Outside its entry's guard the library sees the host's context, as a host calls it.
        EXPECT_EQ(probe.hResourceBefore, hProgram);
        EXPECT_FALSE(probe.bAppBefore);
        EXPECT_EQ(probe.hResourceInside, hLibrary);
        EXPECT_TRUE(probe.bAppInside);
        EXPECT_STREQ(probe.szWho, "test library");
        EXPECT_STREQ(probe.szAppName, "framework_testdll");
        // Back to the caller's context.
        EXPECT_EQ(probe.hResourceAfter, hProgram);
        EXPECT_FALSE(probe.bAppAfter);
        EXPECT_EQ(probe.nInitCount, 1);   // once per load, not per call
        EXPECT_EQ(probe.hInitResource, hLibrary);
        EXPECT_TRUE(probe.bInitAppCurrent);
    }
    EXPECT_EQ(AfxGetResourceHandle(), hProgram);
}

namespace {

class CNamedObject : public CObject {
public:
    static const CRuntimeClass classCNamedObject;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCNamedObject; }
};
const CRuntimeClass CNamedObject::classCNamedObject("CNamedObject", &CRuntimeClass::Create<CNamedObject>,
                                                    &CObject::classCObject);

class CNamedPage : public CPropertyPage {
public:
    static const CRuntimeClass classCNamedPage;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCNamedPage; }
    CNamedPage() : CPropertyPage(IDD_PAGE_ONE) {}
};
const CRuntimeClass CNamedPage::classCNamedPage("CNamedPage", &CRuntimeClass::Create<CNamedPage>,
                                                &CPropertyPage::classCPropertyPage);

}  // namespace

TEST(RuntimeClassTest, ClassesAreFoundAndCreatedByName)
{
    const CRuntimeClass* pClass = CRuntimeClass::FromName("CNamedPage");
    ASSERT_EQ(pClass, &CNamedPage::classCNamedPage);
    CObject* pObject = pClass->CreateObject();
    ASSERT_NE(pObject, nullptr);
    EXPECT_EQ(pObject->GetRuntimeClass(), &CNamedPage::classCNamedPage);
    EXPECT_TRUE(pObject->IsKindOf(&CPropertyPage::classCPropertyPage));
    EXPECT_TRUE(pObject->IsKindOf(&CDialog::classCDialog));
    EXPECT_TRUE(pObject->IsKindOf(&CWnd::classCWnd));
    EXPECT_FALSE(pObject->IsKindOf(&CPropertySheet::classCPropertySheet));
    delete pObject;

    EXPECT_NE(CRuntimeClass::FromName("CNamedObject"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CPropertyPage")->CreateObject(), nullptr);   // no factory: it needs a template id
}
