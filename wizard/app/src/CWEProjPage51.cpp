#include "CWEProjPage51.h"

#include "PlandrelIds.h"
#include "PlandrelStrings.h"
#include "WizardText.h"

#include "wizard/CWEException.h"
#include "wizard/CWEFieldsDataSet.h"
#include "wizard/ColumnNames.h"

#include "keytree/CalcStringCRC64.h"

#include <vector>

CWEProjPage51::CWEProjPage51() : CWEProjPropPage(IDD_PAGE_FIELDS) {}

BOOL CWEProjPage51::OnInitDialog()
{
    CWEProjPropPage::OnInitDialog();
    RunReported([&] {
        if (!m_grid.SubclassDlgItem(IDC_FIELDS_GRID, this))
            WE_THROW_UNEXPECTED();
        m_grid.SetCols(3);
        const UINT headers[] = {IDS_GRID_FIELD, IDS_GRID_TYPE, IDS_GRID_SIZE};
        for (long col = 0; col < 3; ++col)
            m_grid.SetTextMatrix(0, col, PlandrelString(headers[col]).c_str());
        m_grid.SetColWidth(0, 2400);
        m_grid.SetColWidth(1, 1600);
        m_grid.SetColWidth(2, 900);
        m_grid.ClearRows();
        m_grid.Initialize();
    });
    return TRUE;
}

BOOL CWEProjPage51::OnSetActive()
{
    RunReported([&] {
        m_grid.ClearRows();
        GetFieldsDataSet().ForEach([&](std::uint64_t, CWEField& field) { m_grid.AddFieldRow(field); });
    });
    SetWizardButtons(true);
    return TRUE;
}

BOOL CWEProjPage51::OnKillActive()
{
    return RunReported([&] {
        std::vector<CWEField> rows;
        m_grid.CollectFields([&](const CWEField& field) {
            rows.push_back(field);
            return true;
        });
        // Refused here, where the names are typed, rather than by the
        // database when the table is made.
        RequireDistinctColumnNames(rows);
        for (const CWEField& field : rows) {
            if (OnFieldEdited(field.m_strInitialName, TrimBlanks(field.m_strName), field.m_nType, field.m_nSize) !=
                S_OK)
                WE_THROW_UNEXPECTED();
        }
    });
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
