// The tree of a version resource (VS_VERSIONINFO): every node's key, value and children.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct VersionNode {
    std::wstring key;
    bool isText = false;         // wType 1: the value is a string
    std::wstring text;           // the string value, without its terminator
    std::vector<uint8_t> bytes;  // the binary value (the fixed part, a translation)
    std::vector<VersionNode> children;
};

// Nothing when a node's lengths do not fit inside its parent.
std::optional<VersionNode> ReadVersionBlock(const std::vector<uint8_t>& block);
