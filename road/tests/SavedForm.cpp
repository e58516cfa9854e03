#include "SavedForm.h"

#include <fstream>

namespace {

// The text as the program writes it, in UTF-8 here; lines end in LF and
// become CRLF in the file.
const char* const kFormText = R"(Version =20
VersionRequired =20
Checksum =-1874619302
Begin Form
    RecordSelectors = NotDefault
    NavigationButtons = NotDefault
    DividingLines = NotDefault
    DefaultView =0
    PictureAlignment =2
    DatasheetGridlinesBehavior =3
    GridX =24
    GridY =24
    Width =7937
    DatasheetFontHeight =11
    ItemSuffix =8
    Right =10755
    Bottom =7230
    RecSrcDt = Begin
        0x8f0e3d1a7f6ee340
    End
    RecordSource ="Feedback"
    Caption ="Kurs \"Grundlagen\" – Rückmeldung"
    DatasheetFontName ="Calibri"
    Begin
        Begin Label
            BackStyle =0
            FontSize =11
            FontName ="Calibri"
        End
        Begin CommandButton
            Width =1701
            Height =283
            FontSize =11
            FontWeight =400
            FontName ="Calibri"
        End
        Begin TextBox
            SpecialEffect =2
            OldBorderStyle =0
            Width =1701
            LabelX =-1701
            FontSize =11
            FontName ="Calibri"
        End
        Begin Section
            Height =4535
            BackColor =16777215
            Name ="Detail"
            Begin
                Begin Label
                    OverlapFlags =85
                    Left =283
                    Top =170
                    Width =5670
                    Height =390
                    FontSize =14
                    FontWeight =700
                    Name ="Heading"
                    Caption ="Wie war der Kurs?"
                    GUID = Begin
                        0x4b1f6e0a2c9d4e41a0c3d5e6f7081920
                    End
                End
                Begin TextBox
                    OverlapFlags =85
                    Left =2267
                    Top =850
                    Width =3968
                    Height =315
                    TabIndex =0
                    Name ="Town"
                    ControlSource ="Town"

                    Begin
                        Begin Label
                            OverlapFlags =85
                            Left =283
                            Top =850
                            Width =1701
                            Height =315
                            Name ="Town_Label"
                            Caption ="Stadt"
                        End
                    End
                End
                Begin TextBox
                    OverlapFlags =85
                    Left =2267
                    Top =1417
                    Width =5102
                    Height =1134
                    TabIndex =1
                    Name ="Remarks"
                    ControlSource ="Remarks"
                    StatusBarText ="Was möchten Sie uns sagen?"

                    Begin
                        Begin Label
                            OverlapFlags =85
                            Left =283
                            Top =1417
                            Width =1701
                            Height =315
                            Name ="Remarks_Label"
                            Caption ="Bemerkungen"
                        End
                    End
                End
                Begin CommandButton
                    OverlapFlags =85
                    Left =2267
                    Top =3118
                    TabIndex =2
                    Name ="Submit"
                    Caption ="Absenden"
                    GUID = Begin
                        0x9a8b7c6d5e4f30211203f4e5d6c7b8a9
                    End
                End
            End
        End
    End
End
CodeBehindForm
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = True
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Compare Database
)";

// UTF-8 to UTF-16LE, each line ended by CR LF.
std::string Utf16LeWithCrLf(const std::string& utf8)
{
    std::string out = "\xFF\xFE";
    auto put = [&out](char16_t unit) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        char32_t code = lead;
        std::size_t length = 1;
        if (lead >= 0xF0)
            code = lead & 0x07, length = 4;
        else if (lead >= 0xE0)
            code = lead & 0x0F, length = 3;
        else if (lead >= 0xC0)
            code = lead & 0x1F, length = 2;
        for (std::size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        if (code == '\n')
            put(u'\r');
        if (code >= 0x10000) {
            put(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            put(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            put(static_cast<char16_t>(code));
        }
    }
    return out;
}

}  // namespace

std::filesystem::path WriteSavedForm(const std::filesystem::path& database, const std::string& name)
{
    const std::filesystem::path file = database.parent_path() / "forms" / (name + ".bas");
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << Utf16LeWithCrLf(kFormText);
    return file;
}
