#include "LzfuEncoder.h"

#include <algorithm>

namespace {

constexpr std::size_t kRing = lzfu::kRingSize;

std::uint16_t PairKey(BYTE first, BYTE second) { return static_cast<std::uint16_t>((first << 8) | second); }

} // namespace

LzfuEncoder::LzfuEncoder()
    : m_ring(lzfu::InitialRing()),
      m_write(lzfu::kInitialDictionary.size()),
      m_filled(lzfu::kInitialDictionary.size()),
      m_head(65536, -1),
      m_next(kRing, -1),
      m_prev(kRing, -1),
      m_key(kRing, 0)
{
    for (std::size_t p = 0; p < kRing; ++p) {
        m_key[p] = PairKey(m_ring[p], m_ring[(p + 1) % kRing]);
        Link(p);
    }
}

void LzfuEncoder::Link(std::size_t position)
{
    const std::int16_t head = m_head[m_key[position]];
    m_prev[position] = -1;
    m_next[position] = head;
    if (head >= 0)
        m_prev[head] = static_cast<std::int16_t>(position);
    m_head[m_key[position]] = static_cast<std::int16_t>(position);
}

void LzfuEncoder::Unlink(std::size_t position)
{
    const std::int16_t prev = m_prev[position];
    const std::int16_t next = m_next[position];
    if (prev >= 0)
        m_next[prev] = next;
    else
        m_head[m_key[position]] = next;
    if (next >= 0)
        m_prev[next] = prev;
}

void LzfuEncoder::Rekey(std::size_t position)
{
    Unlink(position);
    m_key[position] = PairKey(m_ring[position], m_ring[(position + 1) % kRing]);
    Link(position);
}

void LzfuEncoder::Put(BYTE b)
{
    m_ring[m_write] = b;
    Rekey((m_write + kRing - 1) % kRing);
    Rekey(m_write);
    m_write = (m_write + 1) % kRing;
    m_filled = std::min(m_filled + 1, kRing);
}

bool LzfuEncoder::IsValidOffset(std::size_t offset) const
{
    // A reference to the write position is the end marker, and a reference
    // into never-written space would depend on what the decoder left there.
    if (offset == m_write)
        return false;
    return m_filled == kRing || offset < m_write;
}

std::size_t LzfuEncoder::Rank(std::size_t offset) const
{
    // Oldest data first, so equal matches resolve the same way every time.
    const std::size_t start = m_filled == kRing ? (m_write + 1) % kRing : 0;
    return (offset + kRing - start) % kRing;
}

std::size_t LzfuEncoder::MatchLength(std::span<const BYTE> input, std::size_t pos, std::size_t offset,
                                     std::size_t limit) const
{
    // The decoder copies byte by byte, so the i-th byte it reads may be one it
    // wrote itself i steps ago; model exactly that.
    std::size_t i = 0;
    for (; i < limit; ++i) {
        const std::size_t p = (offset + i) % kRing;
        const std::size_t ahead = (p + kRing - m_write) % kRing;
        const BYTE value = ahead < i ? input[pos + ahead] : m_ring[p];
        if (value != input[pos + i])
            break;
    }
    return i;
}

LzfuEncoder::Match LzfuEncoder::FindLongestMatch(std::span<const BYTE> input, std::size_t pos) const
{
    Match best;
    const std::size_t limit = std::min(lzfu::kMaxMatch, input.size() - pos);
    if (limit < lzfu::kMinMatch)
        return best;
    std::size_t bestRank = kRing;
    auto consider = [&](std::size_t offset) {
        if (!IsValidOffset(offset))
            return;
        const std::size_t length = MatchLength(input, pos, offset, limit);
        const std::size_t rank = Rank(offset);
        if (length < lzfu::kMinMatch)
            return;
        if (length > best.length || (length == best.length && rank < bestRank)) {
            best = {offset, length};
            bestRank = rank;
        }
    };
    // The position just before the write position pairs with a byte that is
    // not written yet, so its chain key is stale; look at it directly.
    const std::size_t beforeWrite = (m_write + kRing - 1) % kRing;
    consider(beforeWrite);
    for (std::int16_t p = m_head[PairKey(input[pos], input[pos + 1])]; p >= 0; p = m_next[p]) {
        if (static_cast<std::size_t>(p) != beforeWrite)
            consider(static_cast<std::size_t>(p));
    }
    return best;
}
