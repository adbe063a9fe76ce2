#pragma once
// The `tracewin` module's classes, defined once for the extension module and
// for an application that embeds the interpreter.

#include <pybind11/pybind11.h>

#include <functional>

class CGraphDoc;
class CHeadlessHost;

// Window, Members and the event constants.
void DefineTracewinModule(pybind11::module_& m);
// A Window over an application's own host and document, which must outlive
// the interpreter; measure(n) waits for n more measured blocks.
pybind11::object MakeBorrowedWindow(CHeadlessHost& host, CGraphDoc& doc, std::function<bool(int)> measure);
