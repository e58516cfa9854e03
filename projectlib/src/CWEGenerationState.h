#pragma once
// What one page generation collects while it walks the form: warnings, the
// style classes, the fields of the answer table and the counters that the
// checks at the end read.

#include "CWEPictureExtractor.h"
#include "CWEPictureNames.h"
#include "CWEStyleList.h"
#include "htmlWarningsDesc.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct CWEGenerationState {
    std::string projectFolder;
    bool defValues = false;
    std::vector<htmlWarningsDesc> warnings;
    bool severe = false;
    CWEStyleList styles;
    std::vector<std::string> tableFields;
    int submitButtons = 0;
    int defaultsGiven = 0;
    // The default of the option group being written; empty outside groups.
    std::string groupDefault;
    CWEPictureNames pictureNames;
    std::unique_ptr<CWEPictureConverter> pictureConverter;
    std::unique_ptr<CWEPictureExtractor> pictures;

    void Warn(IDispatch* object, LONG id);
    void Warn(const std::string& objectText, LONG id);
    bool IsTableField(const std::string& name) const;
};
