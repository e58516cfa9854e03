#pragma once
// A saved form arranged the way the automation objects show it: the form,
// its sections by index, and each section's controls in the order of the
// text, every control followed by the controls it holds (attached labels,
// the buttons of an option group, the pages of a tab).

#include "ControlKinds.h"

#include "access/FormText.h"

#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

namespace pollenta::access {

struct FormItem {
    enum class Kind { Form, Section, Control };
    Kind kind = Kind::Control;
    const FormTextBlock* block = nullptr;
    // Section index (0 detail, 1 form header, 2 form footer, 3 page header,
    // 4 page footer) of a section; -1 otherwise.
    int sectionIndex = -1;
    // Controls reachable from this item: a section's or group's, in order.
    std::vector<const FormItem*> controls;
    const FormItem* group = nullptr;  // the option group a control lies in
    std::optional<ControlKind> controlKind;  // of a control whose keyword is known
};

class FormModel {
public:
    FormModel(std::string name, FormTextDocument document);
    FormModel(const FormModel&) = delete;
    FormModel& operator=(const FormModel&) = delete;

    const std::string& Name() const { return m_name; }
    const FormItem& Form() const { return m_form; }
    const FormItem* Section(int index) const;
    // The form-level block of settings shared by all controls of a kind.
    const FormTextBlock* DefaultBlock(const std::string& keyword) const;

    // Index of a section keyword; -1 for anything that is no section.
    static int SectionIndexOf(const std::string& keyword);

private:
    void AddSection(const FormTextBlock& block, int index);
    void AddControls(const FormTextBlock& block, FormItem& owner, const FormItem* group);

    std::string m_name;
    FormTextDocument m_document;
    FormItem m_form;
    std::map<int, FormItem*> m_sections;
    std::map<std::string, const FormTextBlock*> m_defaults;  // by lower-case keyword
    std::vector<std::unique_ptr<FormItem>> m_items;
};

}  // namespace pollenta::access
