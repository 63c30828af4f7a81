// Run-time class records: a class's name, its factory and its base, so that an object can
// say what it is (GetRuntimeClass, IsKindOf) and a class can be created by name.
//
// A class that carries one declares and defines it explicitly, no macros:
//
//     class CGPButtonPage : public CPallumPage {   // a CPropertyPage
//     public:
//         static const CRuntimeClass classCGPButtonPage;
//         const CRuntimeClass* GetRuntimeClass() const override { return &classCGPButtonPage; }
//     };
//     const CRuntimeClass CGPButtonPage::classCGPButtonPage(
//         "CGPButtonPage", &CRuntimeClass::Create<CGPButtonPage>, &CPropertyPage::classCPropertyPage);
//
// Records register themselves at static construction; FromName finds them.
#pragma once

class CObject;

class CRuntimeClass {
public:
    using CreateProc = CObject* (*)();

    // pfnCreate null: the class cannot be created by name. pBaseClass null: a root class.
    CRuntimeClass(const char* pszClassName, CreateProc pfnCreate, const CRuntimeClass* pBaseClass);
    CRuntimeClass(const CRuntimeClass&) = delete;
    CRuntimeClass& operator=(const CRuntimeClass&) = delete;

    // A new object of the class (delete it through CObject*), null if it has no factory.
    CObject* CreateObject() const;
    // TRUE if this class is pBaseClass or derives from it.
    bool IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    // The registered record with this exact name, null if none.
    static const CRuntimeClass* FromName(const char* pszClassName);

    template <class T>
    static CObject* Create() { return new T; }

    const char* const m_lpszClassName;
    const CreateProc m_pfnCreateObject;
    const CRuntimeClass* const m_pBaseClass;

private:
    const CRuntimeClass* m_pNextClass;
};

class CObject {
public:
    static const CRuntimeClass classCObject;

    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const { return &classCObject; }
    bool IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }

protected:
    CObject() = default;
};
