#pragma once
// Macro values put into one copy: its subject and every body it carries,
// each in the form that body needs.

#include "MacroText.h"

#include "mapi/IMessage.h"

// The subject with the keys replaced (written even when nothing changed);
// E_FAIL without a subject, S_OK for an empty one.
HRESULT MergeSubjectMacros(IMessage* message, const MacroValueList& values);
// The keys replaced in the RTF body (values escaped for RTF), and in the
// plain and HTML bodies (values escaped for HTML) the message has; failures
// leave a body as it was. The caller saves the message once, afterwards.
void MergeMacros(IMessage* message, const MacroValueList& values);

// The part of a name before its first separator (" ;,.:"), and after its last.
std::string FirstNameOf(const std::string& name);
std::string LastNameOf(const std::string& name);
