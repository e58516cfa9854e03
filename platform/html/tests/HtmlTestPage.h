#pragma once
// Loads a page given as bytes, as a test's input file would hold them.

#include "html/HtmlDocument.h"

#include <gtest/gtest.h>

#include <string_view>

inline void LoadPage(pollenta::html::HtmlDocument& document, std::string_view bytes)
{
    ASSERT_EQ(S_OK, document.LoadFromBytes(bytes)) << document.LastError();
}
