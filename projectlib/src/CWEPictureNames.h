#pragma once
// The picture file names of one page generation: the running picture number
// of the "_kqwpic_" names and the names already given out, so that two
// pictures never end up in one file.

#include "win/Types.h"

#include <set>
#include <string>

class CWEPictureNames {
public:
    // Back to number 0 and no names, at the start of a generation.
    void Reset();

    // The next "_kqwpic_%03i.png" name; uses up its number even when the
    // picture then fails. Numbers whose name is taken are skipped.
    std::string NextConvertedName();
    // The name a copy would be renamed to ("_kqwpic_%03i.<extension>");
    // its number is used up only when the rename succeeds (Take).
    struct Renamed {
        LONG number;
        std::string name;
    };
    Renamed NextRenamedName(const std::string& extension) const;
    void Take(const Renamed& renamed);

    bool IsTaken(const std::string& name) const { return m_taken.count(name) != 0; }
    void Claim(const std::string& name) { m_taken.insert(name); }

    LONG Counter() const { return m_counter; }

private:
    std::string Numbered(LONG number, const std::string& extension) const;

    LONG m_counter = 0;
    std::set<std::string> m_taken;
};
