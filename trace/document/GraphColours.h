#pragma once
// The graph's colours as one table: each entry's registry value (section
// "Colours"), its label in the colours dialog, its default and where the
// document keeps it (background, graticule, cursor, or the default colour
// of a trace type, or of that type's copies). COLOR_CYCLE as a copy colour
// means each copy takes the colour cycler's next colour.

#include "platform/String.h"
#include "platform/Color.h"
#include "trace/core/TraceDefs.h"

#include <array>

class CGraphDoc;

struct SGraphColour {
    enum EKind : int { background, graticule, cursor, trace, traceCopy };
    EKind eKind;
    TraceType eType; // for trace and traceCopy
    const wchar_t* pszName;
    const wchar_t* pszLabel;
    COLORREF crDefault;

    bool IsCopy() const { return eKind == traceCopy; }
};

constexpr int kGraphColourCount = 27;
using CGraphColours = std::array<COLORREF, kGraphColourCount>;

const std::array<SGraphColour, kGraphColourCount>& GetGraphColourTable();
// The registry key type and section of the colours.
constexpr int kColoursKeyType = 0;
extern const wchar_t* const kColoursKey;

// The colours the document holds now, in table order.
CGraphColours GetGraphColours(const CGraphDoc& doc);
// Gives the document every colour of the table; a trace type without a copy
// entry (limit lines, filter, window) gives its copies its own colour.
void SetGraphColours(CGraphDoc& doc, const CGraphColours& acrColours);
// The defaults, in table order.
CGraphColours GetDefaultGraphColours();
// The colours in the registry, the defaults where a value is missing.
CGraphColours ReadGraphColours();
void WriteGraphColours(const CGraphColours& acrColours);
