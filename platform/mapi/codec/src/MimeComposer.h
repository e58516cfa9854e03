#pragma once
// Builds a GMime message from MimeMessageData.

#include "mapi/MimeMessageData.h"

#include <gmime/gmime.h>

class MimeComposer {
public:
    explicit MimeComposer(const MimeMessageData& in) : m_in(in) {}

    // The message's bytes, lines ending in CRLF.
    std::vector<BYTE> Compose() const;

private:
    // A new message; the caller owns the reference.
    GMimeMessage* Build() const;
    void AddHeaders(GMimeMessage* message) const;
    GMimeObject* BuildBody() const;
    GMimeObject* BuildHtml() const;
    static GMimeObject* TextPart(const char* subtype, const std::string& text);
    static GMimeObject* AttachmentPart(const MimeAttachment& attachment);
    static GMimeObject* DataPart(const std::string& type, const std::vector<BYTE>& data);
    static GMimeObject* EmbeddedMessage(const std::vector<BYTE>& data);
    bool TravelsWithHtml(const MimeAttachment& attachment) const;

    const MimeMessageData& m_in;
};
