#pragma once
// The tags of a page's text in the order they are written, read the way
// an HTML tokenizer reads them: nothing inside comments, declarations,
// attribute values or the text of a script or style counts. Tags inside
// the elements whose content a browser shows as text (textarea, title,
// xmp, iframe, noembed, noframes and everything after plaintext) are listed
// but marked inert, since libxml2 still makes elements of them.

#include <string>
#include <string_view>
#include <vector>

namespace pollenta::html {

struct SourceTag {
    std::string name;  // lower case
    bool isEnd;
    bool isInert;
};

std::vector<SourceTag> ScanSourceTags(std::string_view text);

}  // namespace pollenta::html
