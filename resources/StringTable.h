#pragma once
// The library's string table: message texts, names and format strings by id.
// Texts with printf fields follow the wide-printf convention (%s is a wide string).

#include "platform/String.h"
#include "resources/StringIds.h"

#include <vector>

// The text of `id`; an unknown id gives an empty string and an assertion line.
CString LoadResString(int id);
// The symbolic name of `id` ("IDS_ERROR_OUTOFMEMORY"); "" for an unknown id.
const char* GetResSymbol(int id);
bool HasResString(int id);
// Every id of the table, ascending.
std::vector<int> GetResStringIds();
