#pragma once
// The recipients of one sending by e-mail address, so that every address
// gets one copy however many lists it stands in. Addresses differing only in
// case are one recipient; the map is visited in the order of the addresses'
// case-folded text, which does not depend on the order of the message's
// recipients.

#include "CZrAdrMapEntry.h"

#include <map>
#include <string>

class CZrAdrMap {
public:
    struct Node {
        std::string key;
        CZrAdrMapEntry entry;
    };
    using Nodes = std::map<std::u16string, Node>;

    // Adds the row's address, or, for an address already met, only lets an
    // excluded occurrence clear its send flag.
    void AddRecip(const SRow& row, const std::string& distListName, bool excluded);

    const CZrAdrMapEntry* Lookup(const std::string& address) const;
    std::size_t GetCount() const { return m_nodes.size(); }
    Nodes::const_iterator begin() const { return m_nodes.begin(); }
    Nodes::const_iterator end() const { return m_nodes.end(); }
    void RemoveAll() { m_nodes.clear(); }

private:
    Nodes m_nodes;
};
