#pragma once
// What the picture finder asks for each picture file it meets once.

#include "wizard/CWEErrors.h"
#include "wizard/CWEPicture.h"
#include "wizard/CWEProjectSettings.h"

class CWEPictureCallback {
public:
    virtual ~CWEPictureCallback() = default;
    // 1 takes the picture: the page then refers to its destination (the
    // whole path when `changed` is set, else the file name); 0 leaves the
    // reference alone. The path in the record is not URL-decoded.
    virtual int OnPicture(CWEPicture& picture, CWEProjectSettings& data, CWEErrors& errors, bool& changed,
                          int number) = 0;
};
