#pragma once
// The named settings of one project as an object holds them: numbers and
// texts (ANSI), names compared without regard to case, the first match
// winning, insertion order kept.

#include "win/Types.h"

#include <string>
#include <variant>
#include <vector>

class CWEPropertyList {
public:
    using Value = std::variant<LONG, std::string>;

    struct projectProperties {
        std::string name;
        Value value;
    };

    // Replaces the value of the entry of that name or appends a new entry.
    // Returns the entry, whose name keeps the case it was first stored with.
    const projectProperties& Set(const std::string& name, Value value);
    const projectProperties* Find(const std::string& name) const;

    // Reading as a number converts a text entry in place when it reads as a
    // number; an entry that does not, or a missing one, counts as 0.
    LONG GetNumber(const std::string& name);
    // Reading as text converts a number entry in place to its decimal text;
    // a missing entry gives "".
    std::string GetText(const std::string& name);

    const std::vector<projectProperties>& Entries() const { return m_entries; }
    void Clear() { m_entries.clear(); }

private:
    projectProperties* FindEntry(const std::string& name);

    std::vector<projectProperties> m_entries;
};
