#pragma once
// The survey's form filled in as a recipient does it in a browser, and
// what the browser then posts: the successful controls' names and values
// in document order, and the form's mailto: address and subject.
//
//     FilledForm form = FillForm(copy.html, {{"town", "Köln"}, {"course", "advanced+"}});
//     form.fields      // {"fullname", ""}, {"town", "Köln"}, ...

#include <map>
#include <string>
#include <utility>
#include <vector>

struct FilledForm {
    std::string address;
    std::string subject;
    // The page's charset, in which the browser encodes what it posts.
    std::string charset;
    // UTF-8 names and values.
    std::vector<std::pair<std::string, std::string>> fields;
};

// `choices` holds, by control name, the text typed into a text field or
// text area, the value of the option, radio button or check box chosen.
// Controls without a choice keep what the page gives them. A RoadFailure
// when the page has no single form posted to a mailto: address, or a
// choice names no control of it.
FilledForm FillForm(const std::string& html, const std::map<std::string, std::string>& choices);
