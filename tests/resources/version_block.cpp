#include "tests/resources/version_block.h"

namespace {

size_t AlignToDword(size_t offset) { return (offset + 3) & ~size_t{3}; }

uint16_t Word(const std::vector<uint8_t>& block, size_t at) {
    return static_cast<uint16_t>(block[at] | block[at + 1] << 8);
}

// One node at `at`, which must end by `limit`; offsets count from the block's start, whose
// DWORD alignment the padding rules refer to.
std::optional<VersionNode> ReadNode(const std::vector<uint8_t>& block, size_t at, size_t limit) {
    if (limit > block.size() || at + 6 > limit) return std::nullopt;
    const size_t length = Word(block, at);
    const size_t valueLength = Word(block, at + 2);
    const uint16_t type = Word(block, at + 4);
    const size_t end = at + length;
    if (length < 6 || end > limit || type > 1) return std::nullopt;

    VersionNode node;
    node.isText = type == 1;
    size_t p = at + 6;
    for (;; p += 2) {
        if (p + 2 > end) return std::nullopt;
        const wchar_t c = Word(block, p);
        if (c == 0) break;
        node.key.push_back(c);
    }
    p = AlignToDword(p + 2);

    // A text value's length counts UTF-16 units, a binary one's counts bytes.
    const size_t valueBytes = node.isText ? valueLength * 2 : valueLength;
    if (p + valueBytes > end) return std::nullopt;
    if (node.isText) {
        for (size_t i = 0; i < valueLength; ++i) {
            const wchar_t c = Word(block, p + 2 * i);
            if (c == 0) break;
            node.text.push_back(c);
        }
    } else {
        node.bytes.assign(block.begin() + p, block.begin() + p + valueBytes);
    }
    p = AlignToDword(p + valueBytes);

    while (p < end) {
        std::optional<VersionNode> child = ReadNode(block, p, end);
        if (!child) return std::nullopt;
        p = AlignToDword(p + Word(block, p));
        node.children.push_back(std::move(*child));
    }
    return node;
}

}  // namespace

std::optional<VersionNode> ReadVersionBlock(const std::vector<uint8_t>& block) {
    if (block.size() < 2) return std::nullopt;
    return ReadNode(block, 0, Word(block, 0));
}
