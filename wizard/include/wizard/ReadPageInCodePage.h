#pragma once
// The checked page read again as though it were written in another code
// page: its bytes stay as they are and only its META names the chosen
// charset, so that reading it decodes the same bytes in that charset. The
// fields grid and the creator both work on the page read so, so that the
// names the grid shows are the names the creator finds.

#include "wizard/CWEHTMLDocument.h"

#include <string>

// An empty charset, the page's own, or a page in UTF-16 (whose byte-order
// mark decides) reads the page as it is. WE_E_MSHTML when it cannot be read.
void ReadPageInCodePage(const CWEHTMLDocument& page, const std::string& charset, CWEHTMLDocument& reread);
