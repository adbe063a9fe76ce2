#pragma once
// The Qt GUI application a program without windows needs for fonts and
// pictures (the CLI's drawing commands, the Python module).

#include <memory>

// A Qt GUI application for a command that draws, made unless one exists,
// on the offscreen platform unless another is asked for, with a private
// runtime folder when the session has none.
class CHeadlessGuiApplication {
public:
    CHeadlessGuiApplication();
    ~CHeadlessGuiApplication();
    CHeadlessGuiApplication(const CHeadlessGuiApplication&) = delete;
    CHeadlessGuiApplication& operator=(const CHeadlessGuiApplication&) = delete;

private:
    struct SImpl;
    std::unique_ptr<SImpl> m_pImpl;
};
