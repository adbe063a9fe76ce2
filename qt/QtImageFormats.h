#pragma once
// The picture formats the installed image writers offer, as lower-case file
// extensions ("bmp", "jpeg", "jpg", "png", ...), sorted and without repeats.

#include "platform/String.h"

#include <vector>

std::vector<CString> QtSupportedImageFormats();

// The format a file name's extension names, lower-case; empty when the name
// has no extension or no writer handles it.
CString QtImageFormatForFile(const CString& path);
