#include "FormModel.h"

#include <algorithm>
#include <cctype>
#include <strings.h>

namespace pollenta::access {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

constexpr struct {
    const char* keyword;
    int index;
} kSections[] = {
    {"Section", 0}, {"FormHeader", 1}, {"FormFooter", 2}, {"PageHeader", 3}, {"PageFooter", 4},
};

}  // namespace

int FormModel::SectionIndexOf(const std::string& keyword)
{
    for (const auto& section : kSections)
        if (strcasecmp(section.keyword, keyword.c_str()) == 0)
            return section.index;
    return -1;
}

FormModel::FormModel(std::string name, FormTextDocument document)
    : m_name(std::move(name)), m_document(std::move(document))
{
    m_form.kind = FormItem::Kind::Form;
    m_form.block = &m_document.form;
    for (const FormTextBlock& child : m_document.form.children) {
        const int index = SectionIndexOf(child.keyword);
        if (index >= 0)
            AddSection(child, index);
        else
            m_defaults.emplace(Lower(child.keyword), &child);  // the first of a kind counts
    }
}

void FormModel::AddSection(const FormTextBlock& block, int index)
{
    // A second block for one section index (a damaged text) is not shown.
    if (m_sections.count(index))
        return;
    FormItem& section = *m_items.emplace_back(std::make_unique<FormItem>());
    section.kind = FormItem::Kind::Section;
    section.block = &block;
    section.sectionIndex = index;
    m_sections[index] = &section;
    AddControls(block, section, nullptr);
    m_form.controls.insert(m_form.controls.end(), section.controls.begin(), section.controls.end());
}

void FormModel::AddControls(const FormTextBlock& block, FormItem& owner, const FormItem* group)
{
    for (const FormTextBlock& child : block.children) {
        FormItem& control = *m_items.emplace_back(std::make_unique<FormItem>());
        control.block = &child;
        control.group = group;
        control.controlKind = ControlKindOf(child.keyword);
        owner.controls.push_back(&control);
        const bool isGroup = strcasecmp(child.keyword.c_str(), "OptionGroup") == 0;
        AddControls(child, control, isGroup ? &control : group);
        owner.controls.insert(owner.controls.end(), control.controls.begin(), control.controls.end());
    }
}

const FormItem* FormModel::Section(int index) const
{
    auto found = m_sections.find(index);
    return found == m_sections.end() ? nullptr : found->second;
}

const FormTextBlock* FormModel::DefaultBlock(const std::string& keyword) const
{
    auto found = m_defaults.find(Lower(keyword));
    return found == m_defaults.end() ? nullptr : found->second;
}

}  // namespace pollenta::access
