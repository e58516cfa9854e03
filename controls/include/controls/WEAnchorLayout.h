#pragma once
// Keeps controls at fixed distances from anchor points that lie at a
// percentage of the layout window's client size, and moves them all at once
// when that size changes.

#include "ui/Gdi.h"
#include "ui/Window.h"

#include <vector>

class CWEAnchorLayout {
public:
    struct Item {
        HWND hWnd;
        int nReserved;
        BOOL bListBox;
        BOOL bRefresh;
        SIZE szTopLeftAnchor;     // percent of the client width and height
        SIZE szTopLeftOffset;     // pixels
        SIZE szBottomRightAnchor; // percent
        SIZE szBottomRightOffset; // pixels
    };

    CWEAnchorLayout() = default;
    virtual ~CWEAnchorLayout() = default;

    // Whether the control paints all of its rectangle, so the background
    // under it need not be erased.
    virtual BOOL IsOpaque(HWND hwnd);
    // Whether the control must repaint after a move.
    virtual BOOL NeedsRefresh(HWND hwnd);
    virtual void GetLayoutRect(LPRECT rect);
    // Gives a window to an item that has none; FALSE skips the item.
    virtual BOOL ResolveItem(Item& item);
    virtual HWND GetLayoutWnd() = 0;

    // Anchors in percent; a bottom-right anchor of (-1, -1) means "none": the
    // control then moves with its top-left anchor and keeps its size.
    void AnchorControl(HWND hwnd, int topLeftX, int topLeftY, int bottomRightX, int bottomRightY);
    void LayoutControls();
    void RemoveAllAnchors();
    const std::vector<Item>& GetItems() const { return m_items; }

#ifndef POLLENTA_CONTROLS_ADDIN
    // Leaves the anchored controls out of the area that the background
    // erase paints.
    void ClipChildren(HDC dc);
    void ClipChild(HWND hwnd, HDC dc);
#endif

protected:
    std::vector<Item> m_items;
    int m_nBatchStart = 0; // where a new batch of moves starts for items without a window
};
