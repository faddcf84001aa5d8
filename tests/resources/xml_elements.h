// Just enough XML to read an application manifest: elements and their attributes.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct XmlElement {
    std::string name;  // the local name: a namespace prefix ("asmv3:") is dropped
    std::map<std::string, std::string> attributes;
    std::vector<XmlElement> children;
};

// The root element, or nothing when the text is not one well-formed element (declarations,
// comments and white space around and between elements are allowed; other text is not).
std::optional<XmlElement> ParseXml(std::string_view text);
