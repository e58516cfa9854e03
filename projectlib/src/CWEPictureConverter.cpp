#include "CWEPictureConverter.h"

#include "AnsiPath.h"

#include "image/PLAnyPicDecoder.h"
#include "image/PLFilterQuantize.h"
#include "image/PLPNGEncoder.h"
#include "image/PLWinBmp.h"

#include "com/SafeArray.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The first byte of embedded picture data: a bitmap info header, or the
// header of a wrapped picture file whose bytes start at offset 8.
constexpr BYTE kDibHeaderSize = 40;
constexpr BYTE kWrappedFileMark = 14;
// The clipboard format of a metafile picture, behind the same 8 bytes.
constexpr BYTE kMetafilePictureMark = 3;
constexpr size_t kWrappedFileOffset = 8;

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The file name after the last "\" or "/" of a path as Access keeps it.
std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

bool IsUrlSafe(const std::string& name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
        // ASCII only, whatever the locale: the name must survive any URL.
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
               c == '-' || c == '_';
    });
}

}  // namespace

CWEPictureConverter::CWEPictureConverter(std::string projectFolder, bool fixRatio, CWEPictureNames& names)
    : m_folder(std::move(projectFolder)), m_fixRatio(fixRatio), m_names(names)
{
}

bool CWEPictureConverter::IsWebPicture(const std::string& path)
{
    const std::string lower = LowerCase(path);
    return EndsWith(lower, ".gif") || EndsWith(lower, ".jpg") || EndsWith(lower, ".png") || EndsWith(lower, ".jpeg");
}

std::string CWEPictureConverter::CopyLinked(const std::string& path, LONG& warning)
{
    warning = kWarnLinkedCopyFailed;
    const std::string name = FileNameOf(path);
    // A file that does not decode would only show as a broken picture.
    PLBmp check;
    if (name.empty() || !PLAnyPicDecoder().MakeBmpFromFile(path, check).Ok())
        return {};
    const std::string extension = name.substr(name.find_last_of('.') + 1);
    std::error_code error;
    // Two linked files of one name must not share one copy: the second goes
    // straight to a numbered name.
    if (m_names.IsTaken(name)) {
        const CWEPictureNames::Renamed renamed = m_names.NextRenamedName(extension);
        if (!fs::copy_file(path, Target(renamed.name), fs::copy_options::overwrite_existing, error))
            return {};
        m_names.Take(renamed);
        warning = 0;
        return renamed.name;
    }
    if (!fs::copy_file(path, Target(name), fs::copy_options::overwrite_existing, error))
        return {};
    warning = 0;
    if (!IsUrlSafe(name)) {
        const CWEPictureNames::Renamed renamed = m_names.NextRenamedName(extension);
        fs::rename(Target(name), Target(renamed.name), error);
        if (!error) {
            m_names.Take(renamed);
            return renamed.name;
        }
    }
    m_names.Claim(name);
    return name;
}

std::string CWEPictureConverter::ConvertLinked(const std::string& path, LONG& warning)
{
    warning = 0;
    PLAnyPicDecoder decoder;
    decoder.SetJPEGFixRatio(m_fixRatio);
    PLBmp bmp;
    std::string name;
    if (decoder.MakeBmpFromFile(path, bmp).Ok() && !bmp.IsEmpty())
        name = WritePng(bmp);
    else
        m_names.NextConvertedName();  // a failed conversion uses up its number too
    if (name.empty())
        warning = kWarnLinkedConversionFailed;
    return name;
}

std::string CWEPictureConverter::ConvertEmbedded(const VARIANT& pictureData, LONG& warning)
{
    warning = 0;
    if (pictureData.vt != (VT_ARRAY | VT_UI1) || !pictureData.parray ||
        SafeArrayGetDim(pictureData.parray) != 1) {
        warning = kWarnEmbeddedDecodeFailed;
        return {};
    }
    BYTE* data = nullptr;
    if (FAILED(SafeArrayAccessData(pictureData.parray, reinterpret_cast<void**>(&data)))) {
        warning = kWarnEmbeddedDecodeFailed;
        return {};
    }
    const std::vector<BYTE> bytes(data, data + pictureData.parray->rgsabound[0].cElements);
    SafeArrayUnaccessData(pictureData.parray);
    return DecodeEmbedded(bytes.data(), bytes.size(), warning);
}

std::string CWEPictureConverter::DecodeEmbedded(const BYTE* data, size_t size, LONG& warning)
{
    if (size == 0) {
        warning = kWarnEmbeddedDecodeFailed;
        return {};
    }
    PLBmp bmp;
    PLResult decoded;
    if (data[0] == kDibHeaderSize) {
        decoded = PLWinBmp::CreateFromDIB(data, size, bmp);
    } else if (data[0] == kWrappedFileMark || data[0] == kMetafilePictureMark) {
        PLAnyPicDecoder decoder;
        decoder.SetJPEGFixRatio(m_fixRatio);
        const BYTE* picture = data + kWrappedFileOffset;
        const size_t pictureSize = size > kWrappedFileOffset ? size - kWrappedFileOffset : 0;
        if (pictureSize == 0)
            decoded = PLResult(PL_ERRBAD_DATA, "the wrapped picture file is empty");
        else if (data[0] == kMetafilePictureMark)
            decoded = decoder.MakeBmpFromMetafilePicture(picture, pictureSize, bmp);
        else
            decoded = decoder.MakeBmpFromMemory(picture, pictureSize, bmp);
    } else {
        warning = kWarnEmbeddedUnknownKind;
        return {};
    }
    if (!decoded.Ok()) {
        m_names.NextConvertedName();  // a failed conversion uses up its number too
        warning = kWarnEmbeddedDecodeFailed;
        return {};
    }
    if (bmp.IsEmpty()) {
        m_names.NextConvertedName();
        warning = kWarnEmptyPicture;
        return {};
    }
    std::string name = WritePng(bmp);
    if (name.empty())
        warning = kWarnEmbeddedDecodeFailed;
    return name;
}

std::string CWEPictureConverter::Target(const std::string& name) const
{
    return FileSystemPath(m_folder + "/" + name).string();
}

std::string CWEPictureConverter::WritePng(PLBmp& bmp)
{
    if (bmp.GetBitsPerPixel() == 4 || (bmp.GetBitsPerPixel() == 32 && bmp.HasAlpha()))
        PLFilterQuantize().ApplyInPlace(bmp);
    const std::string name = m_names.NextConvertedName();
    return PLPNGEncoder().MakeFileFromBmp(Target(name), bmp).Ok() ? name : std::string();
}
