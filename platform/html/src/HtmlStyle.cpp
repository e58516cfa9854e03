#include "html/HtmlStyle.h"

#include "InlineStyle.h"

namespace pollenta::html {

std::string HtmlStyle::BackgroundImage() const
{
    return ReadPictureProperty(m_element.GetAttribute("style"), "background-image", "background");
}

void HtmlStyle::SetBackgroundImage(std::string_view value)
{
    m_element.SetAttribute("style",
                           WritePictureProperty(m_element.GetAttribute("style"), "background-image", "background", value));
}

std::string HtmlStyle::ListStyleImage() const
{
    return ReadPictureProperty(m_element.GetAttribute("style"), "list-style-image", "list-style");
}

void HtmlStyle::SetListStyleImage(std::string_view value)
{
    m_element.SetAttribute("style",
                           WritePictureProperty(m_element.GetAttribute("style"), "list-style-image", "list-style", value));
}

}  // namespace pollenta::html
