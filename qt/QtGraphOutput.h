#pragma once
// The window's output commands in Qt: Export... (the save dialog with the
// offered formats), Copy (the metafile and a PNG on the clipboard), Print
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

// Adds the four commands to the menu. The gate is asked before each
// (false: the command stops); a window binds it to leaving limit-line
// drawing. Print and preview use the page layout given (the window's page
// setup), else a landscape page.
void AddGraphOutputCommands(QMenu& menu, CGraphDoc& doc, QWidget* pParent, std::function<bool()> gate = {},
                            const QPageLayout* pPageLayout = nullptr);
// Puts a picture on the system clipboard: the metafile as "image/x-emf"
// and, when there is one, the PNG as the clipboard's image.
bool PutPictureOnClipboard(const std::vector<unsigned char>& emf, const std::vector<unsigned char>& png);
