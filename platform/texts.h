// Joining texts and turning them into bytes: plain byte operations, no code page involved.
#pragma once

#include <initializer_list>
#include <string>

#include "platform/system.h"

// Concatenates the texts in order with nothing between them.
Text JoinTexts(std::initializer_list<Text> texts);

// The text's bytes without terminator; no line end added, no code page change.
Bytes TextToBytes(const Text& text);
