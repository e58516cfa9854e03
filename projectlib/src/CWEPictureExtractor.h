#pragma once
// The picture of an Access form or image control as a file of the project
// folder, with the CSS that places it. Whatever goes wrong becomes a warning
// and the picture is left out; it never stops the page.

#include "CWEPictureConverter.h"

#include "com/Dispatch.h"

#include <optional>
#include <string>
#include <vector>

class CWEPictureExtractor {
public:
    static constexpr LONG kWarnNoPicture = 5;
    static constexpr LONG kWarnSizeModeIgnored = 23;

    struct Picture {
        std::string fileName;  // relative to the project folder
        std::string css;
    };

    explicit CWEPictureExtractor(CWEPictureConverter& converter) : m_converter(converter) {}

    // Reads Picture, PictureType, PictureData, SizeMode, PictureAlignment and
    // PictureTiling of accessObject; warnings are appended in the order they
    // arise. True when a picture file was produced.
    bool GetPicture(IDispatch* accessObject, Picture& picture, std::vector<LONG>& warnings);

    // "background-position: ..." by alignment and "background-repeat: ..."
    // by tiling, each only when the property could be read.
    static std::string PictureCss(std::optional<LONG> alignment, std::optional<bool> tiling);

private:
    std::string PictureFile(IDispatch* accessObject, const std::u16string& picture, std::vector<LONG>& warnings);

    CWEPictureConverter& m_converter;
};
