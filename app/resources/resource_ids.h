// Identifiers of the executable's own resources, shared by the .rc file and the code.
#pragma once

#define IDI_TAMSEL 1        // the icon: one 64 x 64 image at 32 bits per pixel
#define IDR_LOGO_JPEG 101   // the logo, a baseline JPEG of 200 x 200 (resource type RCDATA)
