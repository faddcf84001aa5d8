#include "tests/resources/pe_file.h"

#include <windows.h>

#include <cstring>

namespace {

// The file's bytes and its section table, which maps relative addresses to file offsets.
struct PeReader {
    const std::vector<uint8_t>& file;
    std::vector<IMAGE_SECTION_HEADER> sections;

    template <typename T>
    bool Read(size_t offset, T& out) const {
        if (offset > file.size() || file.size() - offset < sizeof(T)) return false;
        std::memcpy(&out, file.data() + offset, sizeof(T));
        return true;
    }

    // The file offset of an address relative to the image base, through the section table.
    std::optional<size_t> Offset(uint32_t rva) const {
        for (const IMAGE_SECTION_HEADER& s : sections) {
            if (rva >= s.VirtualAddress && rva - s.VirtualAddress < s.SizeOfRawData)
                return size_t{s.PointerToRawData} + (rva - s.VirtualAddress);
        }
        return std::nullopt;
    }

    std::optional<std::string> String(uint32_t rva) const {
        const std::optional<size_t> at = Offset(rva);
        if (!at) return std::nullopt;
        std::string text;
        for (size_t i = *at; i < file.size(); ++i) {
            if (file[i] == 0) return text;
            text.push_back(static_cast<char>(file[i]));
        }
        return std::nullopt;
    }
};

}  // namespace

std::optional<PeFacts> ReadPeFacts(const std::vector<uint8_t>& file) {
    PeReader pe{file, {}};
    IMAGE_DOS_HEADER dos;
    IMAGE_NT_HEADERS32 nt;
    if (!pe.Read(0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return std::nullopt;
    const size_t ntAt = static_cast<size_t>(dos.e_lfanew);
    if (!pe.Read(ntAt, nt) || nt.Signature != IMAGE_NT_SIGNATURE) return std::nullopt;

    PeFacts facts;
    facts.machine = nt.FileHeader.Machine;
    facts.characteristics = nt.FileHeader.Characteristics;
    facts.magic = nt.OptionalHeader.Magic;
    if (facts.magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC) return facts;
    facts.subsystem = nt.OptionalHeader.Subsystem;

    const size_t sectionsAt = ntAt + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                              nt.FileHeader.SizeOfOptionalHeader;
    for (size_t i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER section;
        if (!pe.Read(sectionsAt + i * sizeof section, section)) return std::nullopt;
        pe.sections.push_back(section);
    }

    const IMAGE_DATA_DIRECTORY& imports =
        nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress != 0) {
        const std::optional<size_t> at = pe.Offset(imports.VirtualAddress);
        if (!at) return std::nullopt;
        for (size_t d = *at;; d += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            IMAGE_IMPORT_DESCRIPTOR descriptor;
            if (!pe.Read(d, descriptor)) return std::nullopt;
            if (descriptor.Name == 0 && descriptor.FirstThunk == 0) break;
            const std::optional<std::string> name = pe.String(descriptor.Name);
            if (!name) return std::nullopt;
            facts.importedDlls.push_back(*name);
        }
    }

    // A delay-loaded DLL is found by the same search at its first call: it counts as an import.
    const IMAGE_DATA_DIRECTORY& delayed =
        nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
    if (delayed.VirtualAddress != 0) {
        const std::optional<size_t> at = pe.Offset(delayed.VirtualAddress);
        if (!at) return std::nullopt;
        for (size_t d = *at;; d += sizeof(IMAGE_DELAYLOAD_DESCRIPTOR)) {
            IMAGE_DELAYLOAD_DESCRIPTOR descriptor;
            if (!pe.Read(d, descriptor)) return std::nullopt;
            if (descriptor.DllNameRVA == 0) break;
            // Old linkers wrote virtual addresses here instead of relative ones.
            const uint32_t nameRva = descriptor.Attributes.RvaBased
                                         ? descriptor.DllNameRVA
                                         : descriptor.DllNameRVA - nt.OptionalHeader.ImageBase;
            const std::optional<std::string> name = pe.String(nameRva);
            if (!name) return std::nullopt;
            facts.importedDlls.push_back(*name);
        }
    }
    return facts;
}
