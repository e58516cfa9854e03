#pragma once
// Takes a message that GMime has read apart into MimeMessageData: picks the
// text bodies, collects every other part as an attachment.

#include "mapi/MimeMessageData.h"

#include "LenientParserOptions.h"

#include <gmime/gmime.h>

#include <optional>
#include <string>

class MimeParser {
public:
    explicit MimeParser(MimeMessageData& out) : m_out(out), m_options(LenientParserOptions()) {}

    void ReadMessage(GMimeMessage* message);

    // Called by GMime's parser for each irregularity it passes over.
    static void OnParserWarning(gint64 offset, GMimeParserWarning code, const gchar* item, gpointer self);

private:
    void ReadAddressHeaders(GMimeObject* object, const char* name, std::vector<MimeAddress>& to, const char* what);
    void ReadAddresses(InternetAddressList* list, std::vector<MimeAddress>& to, const char* what);
    std::string FileNameOf(GMimePart* part) const;
    std::optional<std::string> RejoinedFileName(GMimeObject* object, bool typeNameToo) const;
    std::optional<std::string> RejoinedValue(GMimeHeader* header) const;
    std::string HeaderValue(GMimeHeader* header);
    std::string SubjectOf(GMimeMessage* message);
    void ReadHeaders(GMimeObject* object, std::vector<MimeHeader>& headers);
    void Walk(GMimeObject* object, bool inRelated, int depth);
    void ReadLeaf(GMimePart* part, bool inRelated);
    void ReadEmbeddedMessage(GMimeMessagePart* part, bool inRelated);
    bool TakeAsBody(GMimePart* part, const char* disposition, const char* fileName);
    void ReadAttachmentFields(GMimeObject* object, bool inRelated, MimeAttachment& attachment);

    MimeMessageData& m_out;
    // For what is read again from the raw headers; GMime reported the
    // warnings when it first read them.
    ParserOptionsPtr m_options;
};
