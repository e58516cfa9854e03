#include "CWEPictureNames.h"

#include <cstdio>

void CWEPictureNames::Reset()
{
    m_counter = 0;
    m_taken.clear();
}

std::string CWEPictureNames::Numbered(LONG number, const std::string& extension) const
{
    char name[32];
    std::snprintf(name, sizeof name, "_kqwpic_%03i.", static_cast<int>(number));
    return name + extension;
}

std::string CWEPictureNames::NextConvertedName()
{
    std::string name;
    do
        name = Numbered(m_counter++, "png");
    while (IsTaken(name));
    Claim(name);
    return name;
}

CWEPictureNames::Renamed CWEPictureNames::NextRenamedName(const std::string& extension) const
{
    Renamed renamed{m_counter, Numbered(m_counter, extension)};
    while (IsTaken(renamed.name))
        renamed.name = Numbered(++renamed.number, extension);
    return renamed;
}

void CWEPictureNames::Take(const Renamed& renamed)
{
    m_counter = renamed.number + 1;
    Claim(renamed.name);
}
