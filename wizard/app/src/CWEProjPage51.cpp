#include "CWEProjPage51.h"

#include "PlandrelIds.h"

#include "wizard/CWEFieldsDataSet.h"

#include "keytree/CalcStringCRC64.h"

CWEProjPage51::CWEProjPage51() : CWEProjPropPage(IDD_PAGE_FIELDS) {}

BOOL CWEProjPage51::OnSetActive()
{
    SetWizardButtons(true);
    return TRUE;
}

HRESULT CWEProjPage51::OnFieldEdited(const std::string& oldName, const std::string& newName, int type, int size)
{
    const CWEField* found = GetFieldsDataSet().FindByInitialName(oldName);
    if (!found)
        return E_FAIL;
    CWEField field = *found;
    field.m_strName = newName;
    field.m_nType = type;
    field.m_nSize = size;
    GetFieldsDataSet().SetField(CalcStringCRC64(oldName.c_str()), field);
    return S_OK;
}
