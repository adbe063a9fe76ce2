#pragma once
// String-table ids. Pass the constant itself to ERROR_FATAL / ERROR_NORMAL so
// that its name is logged with its number.

enum EStringId : int {
#define QXSTR(symbol, id, text) symbol = id,
#include "resources/StringTable.inc"
#undef QXSTR
};
