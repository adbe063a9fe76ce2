#include "trace/display/Accelerators.h"

#include "trace/display/TraceMenu.h"

#include <algorithm>

const std::vector<SAccelerator>& GetAccelerators()
{
    static const std::vector<SAccelerator> kKeys{
        {L"Ctrl+Right", ID_TRACE_ZOOMINX},       {L"Ctrl+Left", ID_TRACE_ZOOMOUTX},
        {L"Ctrl+Up", ID_TRACE_ZOOMINY},          {L"Ctrl+Down", ID_TRACE_ZOOMOUTY},
        {L"Ctrl+Shift+X", ID_TRACE_AUTOZOOMX},   {L"Ctrl+Shift+Y", ID_TRACE_AUTOZOOMY},
        {L"Ctrl+Z", ID_TRACE_UNDOZOOM},          {L"Ctrl+Shift+A", ID_GRAPH_AUTOZOOM_ALL},
        {L"Ctrl+Shift+D", ID_GRAPH_DEFAULTZOOM_ALL},
        {L"C", ID_TRACE_CURSOR},                 {L"M", ID_TRACE_MARKS},
        {L"Alt+Left", ID_CURSOR_LEFT},           {L"Alt+Right", ID_CURSOR_RIGHT},
        {L"R", ID_CURSOR_RELATIVE},              {L"Shift+R", ID_CURSOR_RESET},
        {L"Ctrl+M", ID_MARK_ADD},                {L"Ctrl+Delete", ID_MARK_REMOVE},
        {L"Ctrl+Shift+Delete", ID_MARK_REMOVEALL},
        {L"]", ID_MARK_NEXT},                    {L"[", ID_MARK_PREVIOUS},
        {L"Ctrl+L", ID_MARK_LABEL},              {L"Ctrl+Shift+L", ID_MARK_LISTALL},
        {L"H", ID_MARK_HARMONICS},
    };
    return kKeys;
}

CString GetAcceleratorKey(UINT uCommand)
{
    const auto& aKeys = GetAccelerators();
    const auto it = std::find_if(aKeys.begin(), aKeys.end(), [uCommand](const SAccelerator& a) { return a.uCommand == uCommand; });
    return it == aKeys.end() ? CString() : CString(it->pszKey);
}

UINT GetAcceleratorCommand(const CString& sKey)
{
    const auto& aKeys = GetAccelerators();
    const auto it = std::find_if(aKeys.begin(), aKeys.end(), [&sKey](const SAccelerator& a) { return sKey == a.pszKey; });
    return it == aKeys.end() ? 0 : it->uCommand;
}
