// Any bytes as a page file: loading, walking the forms and styles, changing
// the charset and writing the page back must neither crash nor leak.

#include "html/HtmlDocument.h"
#include "html/HtmlForm.h"
#include "html/HtmlInput.h"
#include "html/HtmlSelect.h"
#include "html/HtmlStyle.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pollenta::html;
    HtmlDocument document;
    if (FAILED(document.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size))))
        return 0;
    for (const HtmlElement& element : document.All()) {
        HtmlStyle style(element);
        if (!style.BackgroundImage().empty())
            style.SetBackgroundImage("url('x.gif')");
        if (!style.ListStyleImage().empty())
            style.SetListStyleImage("url('y.gif')");
    }
    for (const HtmlElement& form : document.Forms()) {
        for (HtmlElement control : HtmlForm(form).Elements()) {
            HtmlInput(control).Type();
            for (const HtmlOption& option : HtmlSelect(control).Options())
                option.Text();
            control.SetName(control.Name() + "1");
        }
    }
    document.Title();
    document.Serialize();
    document.SetCharset("utf-8");
    HtmlDocument again;
    again.LoadFromBytes(document.Serialize());
    return 0;
}
