#pragma once
// The fields of the survey form, keyed by the checksum of their name on
// the page. Walking the set goes in the order the fields were first added,
// which is the form's order, so that the grid and the answer table list
// them as the page does; names are case-sensitive ("Name" and "name" are
// two keys, which the check does not let through).

#include "wizard/CWEField.h"
#include "wizard/CWEHTMLDocument.h"

#include "html/HtmlDocument.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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
    // The same from the checked page read in the code page chosen for the
    // project, where the creator will look the names up (see
    // ReadPageInCodePage).
    void BuildInCodePage(const CWEHTMLDocument& page, const std::string& charset);

    // Null when no field was found under the page's name.
    const CWEField* FindByInitialName(const std::string& name) const;
    std::size_t GetCount() const;
    void ForEach(const std::function<void(std::uint64_t key, CWEField& field)>& visit) const;

private:
    // Takes the field; a new key goes to the end of the order.
    void Put(std::uint64_t key, CWEField* field);

    std::unique_ptr<CWEFieldTree> m_pTree;
    std::vector<std::uint64_t> m_order;
};
