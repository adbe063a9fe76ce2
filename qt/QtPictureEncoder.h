#pragma once
// CQtPictureEncoder: the picture encoders of the Qt front end for graph
// export: the image writers installed (BMP, JPEG, GIF, TIFF and PNG first,
// in that order, then any other), then SVG and PDF as vector formats. The
// screen is the reference surface: text is measured with its fonts and an
// export's default size is 80 % of it. Installs itself for its lifetime; a
// QGuiApplication must exist.

#include "trace/output/ExportFormat.h"

#include <memory>

class CQtImageTarget;

class CQtPictureEncoder : public IPictureEncoder {
public:
    CQtPictureEncoder();
    ~CQtPictureEncoder() override;
    CQtPictureEncoder(const CQtPictureEncoder&) = delete;
    CQtPictureEncoder& operator=(const CQtPictureEncoder&) = delete;

    std::vector<SPictureEncoder> GetEncoders() const override;
    bool Encode(const SExportFormat& format, const CString& sPath, CSize pixels,
                const std::function<bool(CDC&)>& paint) override;
    std::vector<unsigned char> EncodePng(CSize pixels, const std::function<bool(CDC&)>& paint) override;
    CDC* GetReferenceDC() override;

private:
    IPictureEncoder* m_pPrevious = nullptr;
    std::unique_ptr<CQtImageTarget> m_pReference;
};
