#pragma once
// The report's lines, each with the picture of its kind.

#include "ui/ImageList.h"
#include "ui/ListCtrl.h"

#include <string>
#include <vector>

class CZrReportList : public CListCtrl {
public:
    enum LineKind { KindInfo = 0, KindError = 1, KindSent = 2 };

    void Init();
    void AddLine(const char* text, int kind);
    // The column titles, then every row's column texts.
    std::vector<std::vector<std::string>> Lines() const;

private:
    CImageList m_images;
};
