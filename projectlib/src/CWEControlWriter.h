#pragma once
// Writes one control of a form as an absolutely positioned element of the
// survey page. Controls that carry answers are named by the field of the
// answer table that they are bound to; what cannot be shown becomes a
// warning and is left out.

#include "CWEGenerationState.h"

#include <optional>
#include <string>

class CWEControlWriter {
public:
    explicit CWEControlWriter(CWEGenerationState& state) : m_state(state) {}

    // Where the control sits: offsets in twips (an option group's own corner
    // for its buttons), the tab index it inherits (-1 for none) and the
    // field of the group it lies in (null outside groups).
    struct Place {
        LONG left = 0;
        LONG top = 0;
        LONG inheritedTab = -1;
        const std::string* groupField = nullptr;
    };

    // Appends the control to out; returns how many of the controls that
    // follow it in its collection it wrote itself (an option group's).
    LONG Write(IDispatch* control, std::string& out, const Place& place);

private:
    struct Common {
        std::string cls;
        std::string geometry;
        std::string tab;
    };
    Common CommonOf(IDispatch* control, const Place& place, bool isTextBox);
    // The field an answer control posts to, or nullopt with warning 24 or 25.
    std::optional<std::string> Bind(IDispatch* control, const std::optional<std::string>& source);
    std::string DefaultText(IDispatch* control);

    void WriteLabel(IDispatch* control, std::string& out, const Place& place);
    void WriteTextBox(IDispatch* control, std::string& out, const Place& place);
    void WriteCheckBox(IDispatch* control, std::string& out, const Place& place);
    LONG WriteOptionGroup(IDispatch* control, std::string& out, const Place& place);
    void WriteOptionButton(IDispatch* control, std::string& out, const Place& place);
    void WriteCommandButton(IDispatch* control, std::string& out, const Place& place);
    void WriteList(IDispatch* control, std::string& out, const Place& place, bool isListBox);
    void WriteImage(IDispatch* control, std::string& out, const Place& place);
    // Value and check attributes of a check box or option button.
    void ValueAndCheck(IDispatch* control, std::string& value, std::string& check);

    CWEGenerationState& m_state;
};
