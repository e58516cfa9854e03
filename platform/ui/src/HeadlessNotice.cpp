#include "HeadlessNotice.h"

#include "win/CodePage.h"

#include <cstdio>

void WriteHeadlessNotice(const std::string& caption, const std::string& text)
{
    // One write, so that lines of several threads do not interleave.
    const std::string line = Recode(caption, CP_ACP, CP_UTF8) + ": " + Recode(text, CP_ACP, CP_UTF8) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}
