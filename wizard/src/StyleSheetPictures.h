#pragma once
// The pictures a page's <style> block names, as those of style attributes:
// the url( ) of background and list-style declarations. Other urls (an
// @import, a font) name no picture and stay as they are.
//
//     css = ReplaceStyleSheetPictures("td { background: url(\"bg.gif\") }", resolve);
//     // resolve("bg.gif") answered "_kqwpic_001.gif": "td { background: url('_kqwpic_001.gif') }"

#include <functional>
#include <string>

// `resolve` gets each picture reference without its quotes; when it answers
// true, the url( ) is written again with the reference it left.
std::string ReplaceStyleSheetPictures(const std::string& css,
                                      const std::function<bool(std::string& reference)>& resolve);
