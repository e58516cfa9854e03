#pragma once
// What a window would have shown, for a process whose windows nobody sees:
// one line on stderr, "caption: text", in UTF-8 whatever the ANSI code page.

#include <string>

void WriteHeadlessNotice(const std::string& caption, const std::string& text);
