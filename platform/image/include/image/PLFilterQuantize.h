#pragma once
// Reduces a picture to a palette of at most 256 colours. No pixel changes
// its opacity: a picture whose pixels of one palette colour differ in
// opacity keeps full colour instead.

#include "image/PLBmp.h"
#include "image/PLResult.h"

class PLFilterQuantize {
public:
    PLResult ApplyInPlace(PLBmp& bmp) const;
};
