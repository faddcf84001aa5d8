#include "platform/texts.h"

Text JoinTexts(std::initializer_list<Text> texts) {
    size_t total = 0;
    for (const Text& t : texts) total += t.size();
    Text joined;
    joined.reserve(total);
    for (const Text& t : texts) joined += t;
    return joined;
}

Bytes TextToBytes(const Text& text) { return Bytes(text.data(), text.size()); }
