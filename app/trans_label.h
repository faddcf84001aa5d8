// A TransLabel control: text without a background of its own. It erases nothing and draws
// only its letters, so the main window's face shows around and between them.
#pragma once

#include <windows.h>

#include <string>

#include "app/window_definition.h"

// Creates the hidden label with its caption and layout; nullptr when it cannot be made.
HWND CreateTransLabel(HWND parent, int left, int top, int width, int height, int id,
                      const std::wstring& caption, TextLayout layout);

// The DrawText format of a layout: never a prefix, always left aligned.
UINT TextFormatOf(TextLayout layout);
