#pragma once
// The style classes of one page: each distinct style text once, in order of
// first use, named "Style0", "Style1", ... Texts compare without regard to
// case.

#include "com/Dispatch.h"

#include <string>
#include <unordered_map>
#include <vector>

class CWEStyleList {
public:
    void Clear()
    {
        m_styles.clear();
        m_index.clear();
    }
    const std::vector<std::string>& Entries() const { return m_styles; }

    // " CLASS=\"StyleN\"" for the control's style, "" when it has none.
    std::string ClassAttribute(IDispatch* control, bool isTextBox);

    // "{ declarations }" of a control, "" when no setting gives one.
    static std::string StyleText(IDispatch* control, bool isTextBox);
    // The four border declarations, "" when the control draws no border.
    static std::string BorderDeclaration(IDispatch* control, bool isTextBox);

private:
    std::vector<std::string> m_styles;
    // Position of each style by its case-folded text.
    std::unordered_map<std::u16string, size_t> m_index;
};
