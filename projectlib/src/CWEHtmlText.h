#pragma once
// Texts put into the survey page. Values are only ever concatenated, never
// used as a format, so a "%" comes out as it was written.

#include <string>

namespace gastrel {

// & < > " as entities, for attribute values and option texts.
std::string EscapeAttribute(const std::string& text);
// A label's text: leading blanks as &nbsp;, then < > " as entities; "&" is
// left as it is, so that a caption may carry entities of its own.
std::string EscapeLabel(const std::string& text);
// < and > as entities, for the content of a text area.
std::string EscapeAngles(const std::string& text);
// Every byte outside A-Z a-z 0-9 - . _ ~ and `keep` as %XX, for the parts
// of a mailto: address.
std::string PercentEncode(const std::string& utf8, const std::string& keep = {});
// Centimetres with two decimals ("5.00") from twips, whatever the locale.
std::string Centimetres(double twips);

}  // namespace gastrel
