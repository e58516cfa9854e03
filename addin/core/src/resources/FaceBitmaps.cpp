#include "resources/FaceBitmaps.h"

#include <array>
#include <cstdint>

namespace {

constexpr int kSide = 16;
using Mask = std::array<const char*, kSide>;

struct Face {
    UINT id;
    DWORD colour;  // 0xRRGGBB of the set points
    Mask mask;     // top row first; '#' is set
};

const Face kFaces[] = {
    {IDB_HOME_PAGE,
     0x1F5FBF,
     {"       ##       ", "      ####      ", "     ######     ", "    ########    ", "   ##########   ",
      "  ############  ", " ############## ", "   ##########   ", "   ##########   ", "   ###    ###   ",
      "   ###    ###   ", "   ###    ###   ", "   ###    ###   ", "   ###    ###   ", "   ##########   ",
      "                "}},
    {IDB_HELP,
     0x2F7F2F,
     {"     ######     ", "    ########    ", "   ###    ###   ", "   ###    ###   ", "          ###   ",
      "         ###    ", "        ###     ", "       ###      ", "       ###      ", "       ###      ",
      "                ", "                ", "       ###      ", "       ###      ", "       ###      ",
      "                "}},
    {IDB_CREATE_SURVEY,
     0xBF7F1F,
     {" ##########     ", " #        #     ", " # ###### #     ", " #        #     ", " # ###### #     ",
      " #        #     ", " # ###### #  ## ", " #        #  ## ", " # ###### # ####", " #        # ####",
      " ##########  ## ", "             ## ", "                ", "                ", "                ",
      "                "}},
    {IDB_SEND_SURVEY,
     0x7F1FBF,
     {"                ", "                ", " ############## ", " ##          ## ", " # #        # # ",
      " #  #      #  # ", " #   #    #   # ", " #    #  #    # ", " #     ##     # ", " #            # ",
      " #            # ", " ############## ", "                ", "                ", "                ",
      "                "}},
    {IDB_VIEW_LOGS,
     0x3F3F3F,
     {" ############   ", " #          #   ", " # ######## #   ", " #          #   ", " # ######## #   ",
      " #          #   ", " # ######## #   ", " #          #   ", " # ######## #   ", " #          #   ",
      " # ####     #   ", " #          #   ", " ############   ", "                ", "                ",
      "                "}},
};

void PutLittleEndian(std::vector<BYTE>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

// A 24-bit bottom-up bitmap with its file header; rows of 48 bytes need no padding.
std::vector<BYTE> Encode(const Face& face)
{
    constexpr std::uint32_t kHeaders = 14 + 40;
    constexpr std::uint32_t kPixels = kSide * kSide * 3;
    std::vector<BYTE> out;
    out.reserve(kHeaders + kPixels);
    out.push_back('B');
    out.push_back('M');
    PutLittleEndian(out, kHeaders + kPixels, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, kHeaders, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, kSide, 4);
    PutLittleEndian(out, kSide, 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, 24, 2);
    for (int i = 0; i < 6; ++i)
        PutLittleEndian(out, 0, 4);
    for (int row = kSide - 1; row >= 0; --row)
        for (int column = 0; column < kSide; ++column) {
            // The system's button face colour around the picture.
            const DWORD colour = face.mask[row][column] == '#' ? face.colour : 0xECE9D8;
            PutLittleEndian(out, colour, 3);  // blue, green, red
        }
    return out;
}

}  // namespace

std::vector<BYTE> FaceBitmap(UINT id)
{
    for (const Face& face : kFaces)
        if (face.id == id)
            return Encode(face);
    return {};
}
