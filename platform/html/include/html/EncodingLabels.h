#pragma once
// Charset labels as browsers read them (the label table of the WHATWG
// Encoding Standard): a page labelled "iso-8859-1" or "us-ascii" is decoded
// as windows-1252, one labelled "shift_jis" as windows-31J (CP932, where
// "~" stays "~"), "gb2312" as GBK and "ks_c_5601-1987" as windows-949.
//
//     EncodingOfLabel(" Latin1 ");   // "windows-1252"
//     EncodingOfLabel("x-sjis");     // "shift_jis"

#include <string>
#include <string_view>

namespace pollenta::html {

// The encoding's name in lower case, or "" for a label browsers do not know.
std::string EncodingOfLabel(std::string_view label);
// The iconv name that converts an encoding (as EncodingOfLabel names it) the
// way browsers decode it; "" for one that is not in the table.
std::string IconvNameOfEncoding(const std::string& encoding);

}  // namespace pollenta::html
