#pragma once
// One field of the survey form: the control's name on the page and the
// column it becomes. Types: 1 INTEGER, 2 VARCHAR (sized), 3 BLOB, 4 TEXT.

#include <string>

class CWEField {
public:
    CWEField(std::string name, int type, int size)
        : m_strInitialName(name), m_strName(std::move(name)), m_nInitialType(type), m_nType(type),
          m_nInitialSize(size), m_nSize(size)
    {
    }

    std::string m_strInitialName;
    std::string m_strName;
    int m_nInitialType;
    int m_nType;
    int m_nInitialSize;
    int m_nSize;
};
