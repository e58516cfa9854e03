#pragma once
// Reduces a picture to a palette of at most 256 colours.

#include "image/PLBmp.h"
#include "image/PLResult.h"

class PLFilterQuantize {
public:
    PLResult ApplyInPlace(PLBmp& bmp) const;
};
