#pragma once
// One row of the log list: the file and the day its log was started.

#include "com/Variant.h"

#include <string>

class CWELogItem {
public:
    std::string m_strName;
    std::string m_strPath;
    DATE m_date = 0;
    // False when the log's "#Date:" line holds no date the user's locale reads.
    bool m_bDateValid = true;
};
