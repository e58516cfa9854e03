#pragma once
// The fields of the survey form, keyed by the checksum of their name on
// the page. Walking the set goes in ascending key order; names are
// case-sensitive ("Name" and "name" are two fields).

#include "wizard/CWEField.h"

#include "html/HtmlDocument.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CWEFieldTree;

class CWEFieldsDataSet {
public:
    CWEFieldsDataSet();
    ~CWEFieldsDataSet();
    CWEFieldsDataSet(const CWEFieldsDataSet&) = delete;
    CWEFieldsDataSet& operator=(const CWEFieldsDataSet&) = delete;

    // A field of that name, replacing one there was.
    void AddField(const std::string& name, int type, int size);
    void SetField(std::uint64_t key, const CWEField& field);
    void CopyTo(CWEFieldsDataSet& target) const;
    void RemoveAll();
    // The form's text-like inputs, selects and text areas (WE_E_NO_FORMS or
    // WE_E_MANY_FORMS when the page has not exactly one form).
    void Build(const pollenta::html::HtmlDocument& document);

    // Null when no field was found under the page's name.
    const CWEField* FindByInitialName(const std::string& name) const;
    std::size_t GetCount() const;
    void ForEach(const std::function<void(std::uint64_t key, CWEField& field)>& visit) const;

private:
    std::unique_ptr<CWEFieldTree> m_pTree;
};
