#pragma once
// Whether a typed address may become the survey's answer address: ASCII
// letters, digits, "-", "." and "_", one "@" neither first nor last, a dot
// in the domain, no underscore in the domain.

#include <string>

class CWEEmailValidator {
public:
    explicit CWEEmailValidator(std::string address) : m_strAddress(std::move(address)) {}
    virtual ~CWEEmailValidator() = default;

    bool IsValid() const;
    bool HasOnlyValidChars() const;
    bool HasAt() const;
    bool HasSingleAt() const;
    bool AtNotFirst() const;
    bool AtNotLast() const;
    bool HasDomainDot() const;
    bool NoUnderscoreInDomain() const;

private:
    std::string m_strAddress;
};
