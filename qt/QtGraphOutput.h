#pragma once
// The window's output commands in Qt: Export... (the save dialog with the
// offered formats), Export preview... (the picture an export would write,
// in a dialog), Copy (the metafile and a PNG on the clipboard), Print
// Preview... and Print... (QPrintPreviewDialog, QPrintDialog), for the
// channel the first view shows (both when both are drawn in it). The
// picture encoder must be installed (CQtPictureEncoder).

#include "trace/core/TraceDefs.h"

#include <functional>
#include <vector>

class CGraphDoc;
class QMenu;
class QPageLayout;
class QWidget;

// Asked before an output command with the message that asks to leave a
// running mode for it (print or export); false: the command stops.
using OutputGate = std::function<bool(int iMessageId)>;
// Adds the five commands to the menu, each action's data its command id
// (ID_GRAPH_...). A window binds the gate to leaving limit-line drawing.
// Print and preview use the page layout given (the window's page setup),
// else a landscape page.
void AddGraphOutputCommands(QMenu& menu, CGraphDoc& doc, QWidget* pParent, OutputGate gate = {},
                            const QPageLayout* pPageLayout = nullptr);
// Puts a picture on the system clipboard: the metafile as "image/x-emf"
// and, when there is one, the PNG as the clipboard's image.
bool PutPictureOnClipboard(const std::vector<unsigned char>& emf, const std::vector<unsigned char>& png);
