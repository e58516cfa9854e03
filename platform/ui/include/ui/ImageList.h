#pragma once
// A list of small pictures of one size that list views show beside their
// rows.
//
//     CImageList images;
//     images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
//     images.Add(LoadIcon(nullptr, IDI_WARNING));
//     list.SetImageList(&images, LVSIL_SMALL);

#include "ui/Bitmap.h"
#include "ui/Icon.h"

#include <memory>

inline constexpr UINT ILC_MASK = 0x0001;
inline constexpr UINT ILC_COLOR32 = 0x0020;

struct HIMAGELIST__;
using HIMAGELIST = HIMAGELIST__*;

class CImageList {
public:
    CImageList();
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // The new picture's index, or -1. The list keeps its own copy.
    int Add(HICON icon);
    // A strip of pictures side by side, each as wide as the list's: the
    // pixels of the mask colour are transparent. The index of the first
    // picture, or -1.
    int Add(HBITMAP strip, COLORREF mask);
    int GetImageCount() const;
    HIMAGELIST GetSafeHandle() const;

private:
    std::unique_ptr<HIMAGELIST__> m_list;
};
