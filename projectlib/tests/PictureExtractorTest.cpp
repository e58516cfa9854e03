// Pictures of Access forms and image controls as files of the project
// folder: copies, conversions to PNG, their names and the warnings.

#include "CWEPictureExtractor.h"
#include "FakeAccessObject.h"
#include "TestPictures.h"

#include "com/ComPtr.h"
#include "com/SafeArray.h"
#include "testsupport/TempFolder.h"

#include <Magick++.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<BYTE>;

Bytes MakePicture(const std::string& format, unsigned width, unsigned height)
{
    return Encode(Magick::Image(Magick::Geometry(width, height), Magick::Color("orange")), format);
}

CComVariant ByteArray(const Bytes& bytes)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    void* data = nullptr;
    SafeArrayAccessData(array, &data);
    if (!bytes.empty())
        std::memcpy(data, bytes.data(), bytes.size());
    SafeArrayUnaccessData(array);
    CComVariant value;
    value.vt = VT_ARRAY | VT_UI1;
    value.parray = array;
    return value;
}

// The bytes Access keeps for an embedded picture file: a mark, seven bytes
// of its own header, then the file.
Bytes Wrapped(const Bytes& file)
{
    Bytes wrapped(8 + file.size(), 0);
    wrapped[0] = 14;
    std::copy(file.begin(), file.end(), wrapped.begin() + 8);
    return wrapped;
}

class PictureExtractorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Magick::InitializeMagick(nullptr);
        fs::create_directories(Project());
        fs::create_directories(Pictures());
    }

    fs::path Project() const { return m_root / "1234"; }
    fs::path Pictures() const { return m_root / "pics"; }

    std::string WriteFile(const fs::path& path, const Bytes& bytes)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                     static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    static CComPtr<FakeAccessObject> Linked(const std::string& path)
    {
        CComPtr<FakeAccessObject> object(new FakeAccessObject());
        object->Set("Picture", CComVariant(path));
        object->Set("PictureType", CComVariant(LONG{1}));
        return object;
    }
    static CComPtr<FakeAccessObject> Embedded(const Bytes& data)
    {
        CComPtr<FakeAccessObject> object(new FakeAccessObject());
        object->Set("Picture", CComVariant("Bitmap"));
        object->Set("PictureType", CComVariant(LONG{0}));
        object->Set("PictureData", ByteArray(data));
        return object;
    }

    // Runs one picture through a fresh extractor that shares the names.
    bool Get(FakeAccessObject* object, CWEPictureExtractor::Picture& picture, std::vector<LONG>& warnings)
    {
        CWEPictureConverter converter(Project().string(), true, m_names);
        return CWEPictureExtractor(converter).GetPicture(object, picture, warnings);
    }
    std::string NameOf(FakeAccessObject* object, std::vector<LONG>& warnings)
    {
        CWEPictureExtractor::Picture picture;
        Get(object, picture, warnings);
        return picture.fileName;
    }

    void ExpectPng(const std::string& name, unsigned width, unsigned height)
    {
        Magick::Image written;
        ASSERT_NO_THROW(written.read((Project() / name).string())) << name;
        EXPECT_EQ(written.magick(), "PNG") << name;
        EXPECT_EQ(written.columns(), width) << name;
        EXPECT_EQ(written.rows(), height) << name;
    }

    pollenta::testsupport::TempFolder m_folder{"pollenta-pictures"};
    fs::path m_root = m_folder.Path();
    CWEPictureNames m_names;
};

TEST_F(PictureExtractorTest, WebPicturesAreCopiedUnderTheirOwnOrASafeName)
{
    std::vector<LONG> warnings;
    CComPtr<FakeAccessObject> logo = Linked(WriteFile(Pictures() / "Logo.GIF", MakePicture("GIF", 5, 4)));
    logo->Set("PictureAlignment", CComVariant(LONG{2}));
    logo->Set("PictureTiling", CComVariant(false));
    CWEPictureExtractor::Picture picture;
    ASSERT_TRUE(Get(logo, picture, warnings));
    EXPECT_EQ(picture.fileName, "Logo.GIF");
    EXPECT_EQ(picture.css, "background-position: center center; background-repeat: no-repeat");
    EXPECT_TRUE(fs::exists(Project() / "Logo.GIF"));

    EXPECT_EQ(NameOf(Linked(WriteFile(Pictures() / "my logo.jpg", MakePicture("JPEG", 6, 3))), warnings),
              "_kqwpic_000.jpg");
    EXPECT_TRUE(fs::exists(Project() / "_kqwpic_000.jpg"));
    EXPECT_FALSE(fs::exists(Project() / "my logo.jpg"));

    // A second file of the same name from another folder keeps the first.
    EXPECT_EQ(NameOf(Linked(WriteFile(Pictures() / "other" / "Logo.GIF", MakePicture("GIF", 9, 9))), warnings),
              "_kqwpic_001.GIF");
    Magick::Image first((Project() / "Logo.GIF").string());
    EXPECT_EQ(first.columns(), 5u);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(m_names.Counter(), 2);
}

TEST_F(PictureExtractorTest, OtherLinkedFilesAreConvertedToPng)
{
    std::vector<LONG> warnings;
    EXPECT_EQ(NameOf(Linked(WriteFile(Pictures() / "chart.bmp", MakePicture("BMP", 7, 5))), warnings),
              "_kqwpic_000.png");
    ExpectPng("_kqwpic_000.png", 7, 5);
    EXPECT_EQ(NameOf(Linked(WriteFile(Pictures() / "scan.tif", MakePicture("TIFF", 8, 2))), warnings),
              "_kqwpic_001.png");
    ExpectPng("_kqwpic_001.png", 8, 2);
    EXPECT_EQ(NameOf(Linked(WriteFile(Pictures() / "sixteen.bmp", SixteenColourBitmap(12, 6))), warnings),
              "_kqwpic_002.png");
    ExpectPng("_kqwpic_002.png", 12, 6);
    EXPECT_TRUE(warnings.empty());
}

TEST_F(PictureExtractorTest, EmbeddedPicturesOfEveryFormatBecomePngsOfTheSameSize)
{
    std::vector<LONG> warnings;
    const Bytes bmp = MakePicture("BMP3", 11, 7);
    EXPECT_EQ(NameOf(Embedded(Bytes(bmp.begin() + 14, bmp.end())), warnings), "_kqwpic_000.png");
    ExpectPng("_kqwpic_000.png", 11, 7);
    int number = 1;
    for (const char* format : {"BMP", "GIF", "JPEG", "PNG", "TIFF"}) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "_kqwpic_%03i.png", number++);
        EXPECT_EQ(NameOf(Embedded(Wrapped(MakePicture(format, 13, 3))), warnings), expected) << format;
        ExpectPng(expected, 13, 3);
    }
    EXPECT_TRUE(warnings.empty());
}

TEST_F(PictureExtractorTest, AFailedConversionUsesUpItsNumber)
{
    std::vector<LONG> warnings;
    Bytes broken = Wrapped(MakePicture("PNG", 20, 20));
    broken.resize(broken.size() / 2);
    EXPECT_EQ(NameOf(Embedded(Wrapped(MakePicture("PNG", 3, 3))), warnings), "_kqwpic_000.png");
    EXPECT_EQ(NameOf(Embedded(broken), warnings), "");
    EXPECT_EQ(NameOf(Embedded(Wrapped(MakePicture("GIF", 3, 3))), warnings), "_kqwpic_002.png");
    EXPECT_EQ(warnings, std::vector<LONG>{20});
    EXPECT_FALSE(fs::exists(Project() / "_kqwpic_001.png"));
}

TEST_F(PictureExtractorTest, MissingOrDamagedPicturesGiveTheirWarnings)
{
    struct Case {
        const char* what;
        CComPtr<FakeAccessObject> object;
        std::vector<LONG> warnings;
    };
    CComPtr<FakeAccessObject> unreadable(new FakeAccessObject());
    CComPtr<FakeAccessObject> none = Linked("(None)");
    CComPtr<FakeAccessObject> russianNone = Linked("");
    russianNone->Set("Picture", CComVariant(u"(\u041e\u0422\u0421\u0423\u0422\u0421\u0422\u0412\u0423\u0415\u0422)"));
    CComPtr<FakeAccessObject> noData(new FakeAccessObject());
    noData->Set("Picture", CComVariant("Bitmap"));
    Bytes shortDib = MakePicture("BMP3", 10, 10);
    shortDib.erase(shortDib.begin(), shortDib.begin() + 14);
    shortDib.resize(shortDib.size() - 20);
    const std::string text = WriteFile(Pictures() / "notes.png", Bytes(100, 'x'));
    Bytes bmp = MakePicture("BMP", 30, 30);
    bmp.resize(60);
    const std::string cut = WriteFile(Pictures() / "cut.bmp", bmp);
    const Case cases[] = {
        {"unreadable Picture", unreadable, {5}},
        {"(none)", none, {}},
        {"Russian (none)", russianNone, {}},
        {"one-letter path", Linked("x"), {5}},
        {"missing web file", Linked((Pictures() / "gone.gif").string()), {7}},
        {"text named .png", Linked(text), {7}},
        {"truncated bitmap file", Linked(cut), {6}},
        {"missing other file", Linked((Pictures() / "gone.wmf").string()), {6}},
        {"no PictureData", noData, {20}},
        {"empty data", Embedded({}), {20}},
        {"wrapped but empty", Embedded({14, 0, 0}), {20}},
        {"unknown kind", Embedded({99, 1, 2, 3}), {21}},
        {"short bitmap", Embedded(shortDib), {20}},
        {"not a picture", Embedded(Wrapped(Bytes(64, 'z'))), {20}},
    };
    for (const Case& c : cases) {
        std::vector<LONG> warnings;
        CWEPictureExtractor::Picture picture;
        EXPECT_FALSE(Get(c.object, picture, warnings)) << c.what;
        EXPECT_EQ(picture.fileName, "") << c.what;
        EXPECT_EQ(warnings, c.warnings) << c.what;
    }
}

TEST_F(PictureExtractorTest, SizeModeIsReportedAndCssFollowsTheReadableProperties)
{
    std::vector<LONG> warnings;
    CComPtr<FakeAccessObject> zoomed = Embedded(Wrapped(MakePicture("PNG", 4, 4)));
    zoomed->Set("SizeMode", CComVariant(LONG{3}));
    zoomed->Set("PictureTiling", CComVariant(true));
    CWEPictureExtractor::Picture picture;
    ASSERT_TRUE(Get(zoomed, picture, warnings));
    EXPECT_EQ(picture.css, "background-repeat: repeat");
    EXPECT_EQ(warnings, std::vector<LONG>{23});

    EXPECT_EQ(CWEPictureExtractor::PictureCss(0, std::nullopt), "background-position: top left");
    EXPECT_EQ(CWEPictureExtractor::PictureCss(4, true), "background-position: bottom right; background-repeat: repeat");
    EXPECT_EQ(CWEPictureExtractor::PictureCss(6, std::nullopt), "");
    EXPECT_EQ(CWEPictureExtractor::PictureCss(-1, false), "background-repeat: no-repeat");
}

}  // namespace
