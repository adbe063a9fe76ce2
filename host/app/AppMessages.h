#pragma once
// Values exchanged with the host application: posted-message numbers and their
// parameter types, and the message-box styles and answers.

#include <cstdint>

// Message parameters are pointer-sized so that a pointer fits in either.
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;

// Messages posted to the application's main window (application base 0x8000).
enum EAppMessage : unsigned {
    APPMSG_ERROR_NORMAL = 0x8000,        // wParam: string id of a lesser error
    APPMSG_ERROR_FATAL = 0x8004,         // wParam: string id of a fatal error
    APPMSG_DELETE_TRACE = 0x8082,        // lParam: a CObject taken off the graph, to delete
    APPMSG_FFT_TRACES_CHANGED = 0x8086,  // both 0
    APPMSG_PRINT_GRAPH = 0x8096,         // wParam: channel
    APPMSG_EXPORT_GRAPH = 0x8097,        // wParam: channel, lParam: file name or 0 (clipboard)
    APPMSG_START_IMPULSE_EDIT = 0x8098,
    APPMSG_END_IMPULSE_EDIT = 0x8099,
};

// Message-box styles (buttons in the low nibble, icon, default button).
constexpr unsigned MB_OK = 0x0000;
constexpr unsigned MB_OKCANCEL = 0x0001;
constexpr unsigned MB_YESNOCANCEL = 0x0003;
constexpr unsigned MB_YESNO = 0x0004;
constexpr unsigned MB_ICONERROR = 0x0010;
constexpr unsigned MB_ICONQUESTION = 0x0020;
constexpr unsigned MB_ICONEXCLAMATION = 0x0030;
constexpr unsigned MB_ICONINFORMATION = 0x0040;
constexpr unsigned MB_DEFBUTTON1 = 0x0000;
constexpr unsigned MB_DEFBUTTON2 = 0x0100;
constexpr unsigned MB_DEFBUTTON3 = 0x0200;

// Message-box and dialog answers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The answer a box gives when the user just presses Enter: its default button.
int DefaultMessageBoxAnswer(unsigned type);
