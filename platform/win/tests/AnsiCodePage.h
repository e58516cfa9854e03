#pragma once
// Sets the process's ANSI code page for one test and puts the previous one
// back at its end.

#include "win/CodePage.h"

#include <gtest/gtest.h>

class AnsiCodePage {
public:
    explicit AnsiCodePage(UINT codePage) : m_previous(GetACP()) { EXPECT_TRUE(SetAnsiCodePage(codePage)); }
    ~AnsiCodePage() { SetAnsiCodePage(m_previous); }
    AnsiCodePage(const AnsiCodePage&) = delete;
    AnsiCodePage& operator=(const AnsiCodePage&) = delete;

private:
    UINT m_previous;
};
