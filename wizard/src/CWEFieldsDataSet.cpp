#include "wizard/CWEFieldsDataSet.h"

#include "CWEFieldTree.h"
#include "TheForm.h"

#include "wizard/FormControlKind.h"
#include "wizard/ReadPageInCodePage.h"

#include "keytree/CalcStringCRC64.h"

CWEFieldsDataSet::CWEFieldsDataSet() : m_pTree(std::make_unique<CWEFieldTree>()) {}

CWEFieldsDataSet::~CWEFieldsDataSet() = default;

void CWEFieldsDataSet::Put(std::uint64_t key, CWEField* field)
{
    const bool known = m_pTree->Get(key) != nullptr;
    if (m_pTree->Put(key, field) && !known)
        m_order.push_back(key);
}

void CWEFieldsDataSet::AddField(const std::string& name, int type, int size)
{
    Put(CalcStringCRC64(name.c_str()), new CWEField(name, type, size));
}

void CWEFieldsDataSet::SetField(std::uint64_t key, const CWEField& field)
{
    Put(key, new CWEField(field));
}

void CWEFieldsDataSet::CopyTo(CWEFieldsDataSet& target) const
{
    if (&target == this)
        return;
    target.RemoveAll();
    ForEach([&](std::uint64_t, CWEField& field) {
        target.Put(CalcStringCRC64(field.m_strInitialName.c_str()), new CWEField(field));
    });
}

void CWEFieldsDataSet::RemoveAll()
{
    m_pTree->RemoveAll();
    m_order.clear();
}

void CWEFieldsDataSet::Build(const pollenta::html::HtmlDocument& document)
{
    for (const pollenta::html::HtmlElement& control : TheForm(document).Elements()) {
        if (KindOfControl(control) == FormControlKind::Field)
            AddField(control.Name(), 2, DefaultFieldSize(control));
    }
}

void CWEFieldsDataSet::BuildInCodePage(const CWEHTMLDocument& page, const std::string& charset)
{
    CWEHTMLDocument reread;
    ReadPageInCodePage(page, charset, reread);
    Build(*reread.Document());
}

const CWEField* CWEFieldsDataSet::FindByInitialName(const std::string& name) const
{
    return m_pTree->Get(CalcStringCRC64(name.c_str()));
}

std::size_t CWEFieldsDataSet::GetCount() const
{
    return m_pTree->Count();
}

void CWEFieldsDataSet::ForEach(const std::function<void(std::uint64_t key, CWEField& field)>& visit) const
{
    for (const std::uint64_t key : m_order) {
        if (CWEField* field = m_pTree->Get(key))
            visit(key, *field);
    }
}
