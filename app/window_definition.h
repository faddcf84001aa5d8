// The main window as data: its frame and the eleven controls with their kinds and places.
#pragma once

#include <string>
#include <vector>

#include "platform/system.h"

inline constexpr wchar_t MainWindowTitle[] = L"Tamsel Beta";
inline constexpr int MainWindowWidth = 463;   // the outer size, frame and title bar included
inline constexpr int MainWindowHeight = 241;

enum class ControlKind { Button, Label, PicBox, ProcessBar, Timer, TransLabel };

// How a TransLabel lays out its text: the notes wrap; the short captions are one line with a
// white relief under the black text.
enum class TextLayout { None, Wrapped, SingleLineRelief };

struct ControlDefinition {
    Control name;
    ControlKind kind;
    int left, top, width, height;  // in the main window's client area
    bool visible;
    std::wstring caption;          // empty for the kinds that show no caption
    TextLayout layout;
};

// The usage notes shown at the top left.
extern const wchar_t UsageNotes[];

// The controls in creation order (the window's child order).
std::vector<ControlDefinition> WindowDefinition();
