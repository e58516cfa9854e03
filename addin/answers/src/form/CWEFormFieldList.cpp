#include "form/CWEFormFieldList.h"

bool CWEFormFieldList::Add(const std::string& name, const std::string& value, UINT codePage)
{
    CWEFormField field;
    if (!field.Set(name, value, codePage))
        return false;
    push_back(std::move(field));
    return true;
}

bool CWEFormFieldList::AddAsIs(const std::string& name, const std::string& value)
{
    CWEFormField field;
    if (!field.SetAsIs(name, value))
        return false;
    push_back(std::move(field));
    return true;
}
