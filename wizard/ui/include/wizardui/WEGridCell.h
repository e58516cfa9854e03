#pragma once
// What the fields grid keeps behind one cell: the value as the form gave it
// and as the user has changed it. Each kind carries a tag, so that a typed
// lookup answers only the kind it asks for.

#include <string>

enum class WEGridCellTag { Field = 1, Type = 2, Size = 3 };

struct CWEGridCell {
    explicit CWEGridCell(WEGridCellTag tag) : m_tag(tag) {}
    virtual ~CWEGridCell() = default;
    WEGridCellTag m_tag;
};

struct CWEGridFieldCell : CWEGridCell {
    explicit CWEGridFieldCell(const std::string& name) : CWEGridCell(WEGridCellTag::Field), m_strInitial(name), m_strName(name) {}
    std::string m_strInitial;
    std::string m_strName;
};

struct CWEGridTypeCell : CWEGridCell {
    explicit CWEGridTypeCell(int type) : CWEGridCell(WEGridCellTag::Type), m_nInitial(type), m_nType(type) {}
    int m_nInitial;
    int m_nType;
};

struct CWEGridSizeCell : CWEGridCell {
    explicit CWEGridSizeCell(int size) : CWEGridCell(WEGridCellTag::Size), m_nInitial(size), m_nSize(size) {}
    int m_nInitial;
    int m_nSize;
};
