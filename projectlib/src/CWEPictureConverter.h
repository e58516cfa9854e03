#pragma once
// Puts pictures into a project folder as files a browser shows: GIF, JPEG and
// PNG files are copied, everything else is decoded and written as PNG under
// a "_kqwpic_" name.

#include "CWEPictureNames.h"

#include "com/Variant.h"

#include <string>

class PLBmp;

class CWEPictureConverter {
public:
    // Warnings of pictures that are left out.
    static constexpr LONG kWarnLinkedConversionFailed = 6;
    static constexpr LONG kWarnLinkedCopyFailed = 7;
    static constexpr LONG kWarnEmbeddedDecodeFailed = 20;
    static constexpr LONG kWarnEmbeddedUnknownKind = 21;
    static constexpr LONG kWarnEmptyPicture = 22;

    // projectFolder is ANSI text; fixRatio corrects JPEG pictures with
    // oblong pixels.
    CWEPictureConverter(std::string projectFolder, bool fixRatio, CWEPictureNames& names);

    // True for the files that are copied rather than converted.
    static bool IsWebPicture(const std::string& path);

    // Each gives the picture's file name in the project folder, or "" with
    // the warning that says why there is none.
    std::string CopyLinked(const std::string& path, LONG& warning);
    std::string ConvertLinked(const std::string& path, LONG& warning);
    std::string ConvertEmbedded(const VARIANT& pictureData, LONG& warning);

private:
    std::string DecodeEmbedded(const BYTE* data, size_t size, LONG& warning);
    // Reduces the colours where PNG writing needs it and writes the next
    // converted name; "" when writing fails.
    std::string WritePng(PLBmp& bmp);
    // The file of that name in the project folder, whose path is ANSI text.
    std::string Target(const std::string& name) const;

    std::string m_folder;
    bool m_fixRatio;
    CWEPictureNames& m_names;
};
