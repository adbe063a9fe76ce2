# TW_Export from a script in every format the window offers: each file
# starts with its format's signature.
import os
import sys
import tempfile

import tracewin

# extension: (offset, first bytes)
SIGNATURES = {
    "emf": (40, b" EMF"),
    "png": (0, b"\x89PNG\r\n\x1a\n"),
    "jpg": (0, b"\xff\xd8\xff"),
    "bmp": (0, b"BM"),
    "tiff": (0, b"II*\x00"),
    "svg": (0, b"<?xml"),
    "pdf": (0, b"%PDF-"),
}

w = tracewin.Window()
folder = tempfile.mkdtemp()
failed = []
for ext, (offset, magic) in SIGNATURES.items():
    path = os.path.join(folder, "graph." + ext)
    if not w.TW_Export(w.TW_CHA, path) or not os.path.exists(path):
        failed.append(ext + " not written")
        continue
    with open(path, "rb") as f:
        head = f.read(offset + len(magic))
    if head[offset:] != magic:
        failed.append(f"{ext} starts {head[:8]!r}")
if failed:
    sys.exit("export failed: " + ", ".join(failed))
print(" ".join(SIGNATURES) + ": all written")
