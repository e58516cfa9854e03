#pragma once
// What an image list handle stands for.

#include "ui/ImageList.h"

#include <QIcon>
#include <QSize>

#include <vector>

struct HIMAGELIST__ {
    QSize size;
    std::vector<QIcon> images;
};
