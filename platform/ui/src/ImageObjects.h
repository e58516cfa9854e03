#pragma once
// What the picture handles stand for.

#include "IconObject.h"

#include <QImage>

struct HBITMAP__ {
    QImage image;
};
