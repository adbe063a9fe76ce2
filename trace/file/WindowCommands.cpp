#include "trace/file/WindowCommands.h"

#include "host/app/AppServices.h"
#include "trace/document/GraphColorsDlg.h"
#include "trace/document/TraceCommentDlg.h"
#include "trace/document/TraceSettingsDlg.h"
#include "trace/file/AddTraceDlg.h"
#include "trace/file/CreateFilterDlg.h"
#include "trace/file/FileCommands.h"
#include "trace/limits/LimitLineManager.h"
#include "trace/model/QXTrace.h"
#include "trace/types/ImpulseWindowEditor.h"

void InstallWindowCommands(CGraphFrame& frame, SWindowToolkit toolkit)
{
    CLimitLineManager::Install(frame);
    CImpulseWindowEditor::Install(frame);
    InstallCreateFilterCommand(frame);
    InstallTraceSettingsCommand(frame);
    InstallTraceCommentCommand(frame);
    InstallAddTraceCommand(frame);
    InstallGraphColorsCommand(frame);
    InstallFileCommands(frame);
    frame.SetColourChooser(toolkit.fnChooseColour);
    if (const auto fnList = toolkit.fnListValues)
        frame.SetCommand({ID_TRACE_LISTVALUES, [fnList](CQXTrace* pTrace) { return HasValues(pTrace) && fnList(pTrace); },
                          [](CQXTrace* pTrace) { return SCommandStatus{HasValues(pTrace), false}; }});
    if (const auto fnOutput = toolkit.fnOutput)
        for (UINT uId : {ID_GRAPH_EXPORT, ID_GRAPH_EXPORT_PREVIEW, ID_GRAPH_COPY, ID_GRAPH_PRINT_PREVIEW, ID_GRAPH_PRINT,
                         ID_GRAPH_PRINT_SETUP})
            // The picture is the graph's, with or without traces.
            frame.SetCommand({uId, [fnOutput, uId](CQXTrace*) { return GetGraphDoc() && fnOutput(uId); },
                              [](CQXTrace*) { return SCommandStatus{GetGraphDoc() != nullptr, false}; }});
}
