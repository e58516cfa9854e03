#pragma once
// What the picture handles stand for.

#include <QIcon>
#include <QImage>

struct HBITMAP__ {
    QImage image;
};

struct HICON__ {
    QIcon icon;
};
