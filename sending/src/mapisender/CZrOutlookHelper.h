#pragma once
// What the sender asks of the mail client's application object.

#include "com/Dispatch.h"

class CZrOutlookHelper {
public:
    // The major version: 11 for "11.0.5510".
    static int GetOutlookVersion(IDispatch* lpApplication);
};
