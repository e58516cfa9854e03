#pragma once
// The compressor's view of the ring buffer: it mirrors every byte the
// decoder will write and finds, for the next input position, the longest
// reference the decoder will expand back to that input.

#include "LzfuFormat.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class LzfuEncoder {
public:
    LzfuEncoder();

    struct Match {
        std::size_t offset = 0;
        std::size_t length = 0; // 0 when no reference of kMinMatch or more exists
    };

    Match FindLongestMatch(std::span<const BYTE> input, std::size_t pos) const;
    void Put(BYTE b);
    std::size_t WritePosition() const { return m_write; }

private:
    std::size_t MatchLength(std::span<const BYTE> input, std::size_t pos, std::size_t offset,
                            std::size_t limit) const;
    bool IsValidOffset(std::size_t offset) const;
    std::size_t Rank(std::size_t offset) const;
    void Rekey(std::size_t position);
    void Link(std::size_t position);
    void Unlink(std::size_t position);

    lzfu::Ring m_ring;
    std::size_t m_write;
    std::size_t m_filled; // positions that hold real data, up to the ring size
    // Positions chained by the two bytes that start there, so that a search
    // only visits offsets whose first two bytes already match.
    std::vector<std::int16_t> m_head;
    std::vector<std::int16_t> m_next;
    std::vector<std::int16_t> m_prev;
    std::vector<std::uint16_t> m_key;
};
