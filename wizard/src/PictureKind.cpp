#include "PictureKind.h"

#include <fstream>
#include <string_view>

namespace {

struct Signature {
    std::size_t offset;
    std::string_view bytes;
};

struct Kind {
    const char* extension;
    Signature first;
    Signature second;  // empty when one suffices
};

using namespace std::string_view_literals;

const Kind kKinds[] = {
    {"gif", {0, "GIF87a"sv}, {}},
    {"gif", {0, "GIF89a"sv}, {}},
    {"png", {0, "\x89PNG\r\n\x1A\n"sv}, {}},
    {"jpg", {0, "\xFF\xD8\xFF"sv}, {}},
    {"bmp", {0, "BM"sv}, {}},
    {"ico", {0, "\0\0\1\0"sv}, {}},
    {"cur", {0, "\0\0\2\0"sv}, {}},
    {"webp", {0, "RIFF"sv}, {8, "WEBPVP"sv}},
    {"wav", {0, "RIFF"sv}, {8, "WAVE"sv}},
    {"aif", {0, "FORM"sv}, {8, "AIFF"sv}},
    {"mid", {0, "MThd"sv}, {}},
    {"mp3", {0, "ID3"sv}, {}},
    {"au", {0, ".snd"sv}, {}},
    {"ogg", {0, "OggS"sv}, {}},
};

bool Matches(std::string_view head, const Signature& signature)
{
    return signature.bytes.empty() ||
           head.substr(std::min(signature.offset, head.size()), signature.bytes.size()) == signature.bytes;
}

// An MPEG audio frame without a tag starts with eleven set bits.
bool IsMpegFrame(std::string_view head)
{
    return head.size() >= 2 && static_cast<unsigned char>(head[0]) == 0xFF &&
           (static_cast<unsigned char>(head[1]) & 0xE0) == 0xE0;
}

}  // namespace

std::string SniffedPictureExtension(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    char buffer[16] = {};
    file.read(buffer, sizeof buffer);
    const std::string_view head(buffer, static_cast<std::size_t>(file.gcount()));
    for (const Kind& kind : kKinds) {
        if (Matches(head, kind.first) && Matches(head, kind.second))
            return kind.extension;
    }
    return IsMpegFrame(head) ? "mp3" : "";
}
