// What the headers and the import tables of a 32-bit PE file say, read from its bytes alone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct PeFacts {
    uint16_t machine = 0;          // IMAGE_FILE_HEADER.Machine
    uint16_t characteristics = 0;  // IMAGE_FILE_HEADER.Characteristics
    uint16_t magic = 0;            // optional header magic: 0x10b for PE32
    uint16_t subsystem = 0;
    std::vector<std::string> importedDlls;  // ordinary and delay-loaded, as written in the file
};

// Nothing when the bytes are not a well-formed PE32 image.
std::optional<PeFacts> ReadPeFacts(const std::vector<uint8_t>& file);
