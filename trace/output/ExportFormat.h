#pragma once
// The formats a graph can be exported in: the enhanced metafile first
// (written by the core itself), then the picture encoders the front end
// installs (raster formats, then the vector formats SVG and PDF), in the
// order it reports them. The front end fills the list through
// IPictureEncoder; without one only the metafile is offered.

#include "platform/Geometry.h"
#include "platform/String.h"

#include <functional>
#include <vector>

class CDC;

enum class EExportKind { Metafile, Raster, Vector };

// One encoder as the front end reports it.
struct SPictureEncoder {
    CString sMimeType;   // "image/png"
    CString sFormatName; // "PNG"
    CString sExtensions; // "*.png" or "*.jpg;*.jpeg", any case
    EExportKind eKind = EExportKind::Raster;
};

struct SExportFormat {
    CString sMimeType;
    CString sFormatName;
    CString sFileTypeName; // "PNG file"; "Bitmap file" for BMP
    CString sExtensions;   // lower case
    EExportKind eKind = EExportKind::Raster;
};

// What the front end does for the core: list its encoders and draw a
// picture of a format into a file.
class IPictureEncoder {
public:
    virtual ~IPictureEncoder() = default;
    virtual std::vector<SPictureEncoder> GetEncoders() const = 0;
    // Makes a picture of `pixels` in the format, lets `paint` draw it and
    // writes the file; false when the file cannot be written. `paint`
    // returns false to give up (nothing is written then).
    virtual bool Encode(const SExportFormat& format, const CString& sPath, CSize pixels,
                        const std::function<bool(CDC&)>& paint) = 0;
    // PNG bytes of a picture, for the clipboard; empty when not possible.
    virtual std::vector<unsigned char> EncodePng(CSize pixels, const std::function<bool(CDC&)>& paint) = 0;
    // The surface text is measured on and the device fields come from (the
    // screen); null: the core's own stand-in.
    virtual CDC* GetReferenceDC() = 0;
};

// Installed by the front end for its lifetime; null uninstalls.
void InstallPictureEncoder(IPictureEncoder* pEncoder);
IPictureEncoder* GetPictureEncoder();

class CExportFormatManager {
public:
    // Entry 0 is the enhanced metafile; then the encoders given.
    explicit CExportFormatManager(const std::vector<SPictureEncoder>& aEncoders);
    // From the installed encoder, or the metafile alone.
    static CExportFormatManager FromInstalled();

    const std::vector<SExportFormat>& GetFormats() const { return m_aFormats; }
    const SExportFormat& GetFormat(int i) const { return m_aFormats[static_cast<size_t>(i)]; }
    // The format whose extension list has `sExtension` (no dot, any case); -1 when none.
    int FindFormatForExtension(const CString& sExtension) const;
    // The save dialog's filter: "<type>s (<exts>)|<exts>|" per format, the
    // last followed by "All files (*.*)|*.*||".
    CString GetFilter() const;

private:
    std::vector<SExportFormat> m_aFormats;
};

// The first pattern of the list after "*.", lower case: "jpg" of "*.JPG;*.JPEG".
CString DefaultExtensionOf(const SExportFormat& format);
// The extension of a file name without the dot; empty when it has none.
CString FileExtensionOf(const CString& sPath);
// The name with its extension replaced (or added).
CString WithFileExtension(const CString& sPath, const CString& sExtension);
