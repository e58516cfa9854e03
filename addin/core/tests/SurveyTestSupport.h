#pragma once
// What the survey tests ask of the stand-in client: its first inspector and
// how many items its Drafts folder holds.

#include "OutlookApplication.h"

#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"

inline CComPtr<_Inspector> FirstInspector(_Application* application)
{
    CComPtr<_Inspectors> inspectors;
    CComPtr<_Inspector> inspector;
    application->get_Inspectors(&inspectors);
    inspectors->Item(CComVariant(1), &inspector);
    return inspector;
}

inline LONG DraftCount(_Application* application)
{
    CComPtr<_NameSpace> nameSpace;
    CComPtr<MAPIFolder> drafts;
    CComPtr<_Items> items;
    LONG count = -1;
    application->GetNamespace(CComBSTR("MAPI"), &nameSpace);
    nameSpace->GetDefaultFolder(olFolderDrafts, &drafts);
    drafts->get_Items(&items);
    items->get_Count(&count);
    return count;
}
