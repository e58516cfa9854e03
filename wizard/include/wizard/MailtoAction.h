#pragma once
// The form action that mails the answers: "mailto:<address>?Subject=<subject>"
// with both percent-encoded as the mailto URL asks, so that a subject with
// "&", "#", "%" or "?" arrives whole.

#include <string>

std::string MailtoAction(const std::string& address, const std::string& subject);
