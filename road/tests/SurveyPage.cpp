#include "SurveyPage.h"

#include <fstream>

namespace {

const char* const kPage =
    "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">\r\n"
    "<META NAME=\"GENERATOR\" CONTENT=\"Microsoft FrontPage 5.0\"><TITLE>Course feedback</TITLE></HEAD>\r\n"
    "<BODY><IMG SRC=\"img/logo.gif\" ALT=Logo><H1>Kursbewertung f\xFCr Teilnehmer</H1>\r\n"
    "<FORM ACTION=\"mailto:old@example.com\" METHOD=POST>\r\n"
    "<P>Name <INPUT TYPE=TEXT NAME=fullname SIZE=40>\r\n"
    "<P>Town <INPUT NAME=town>\r\n"
    "<P>Rating <SELECT NAME=rating><OPTION VALUE=1>poor<OPTION VALUE=2 SELECTED>fair"
    "<OPTION>very good &amp; more</SELECT>\r\n"
    "<P>Course <INPUT TYPE=RADIO NAME=course VALUE=basic CHECKED> Basic "
    "<INPUT TYPE=RADIO NAME=course VALUE=\"advanced+\"> Advanced\r\n"
    "<P><INPUT TYPE=CHECKBOX NAME=newsletter VALUE=yes> Newsletter\r\n"
    "<P>Remarks<BR><TEXTAREA NAME=remarks ROWS=4 COLS=40></TEXTAREA>\r\n"
    "<P>Gr\xF6\xDF"
    "e <INPUT NAME=\"Gr\xF6\xDF"
    "e & Ma\xDF\" SIZE=4>\r\n"
    "<INPUT TYPE=HIDDEN NAME=source VALUE=\"mail 2006\">\r\n"
    "<P><INPUT TYPE=SUBMIT VALUE=\"Send\"> <INPUT TYPE=RESET>\r\n"
    "</FORM></BODY></HTML>\r\n";

}  // namespace

std::filesystem::path WriteSurveyPage(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder / "img");
    std::ofstream(folder / "img" / "logo.gif", std::ios::binary) << "GIF89a\x01\x00\x01\x00\x80\x00\x00";
    const std::filesystem::path page = folder / "survey.htm";
    std::ofstream(page, std::ios::binary) << kPage;
    return page;
}
