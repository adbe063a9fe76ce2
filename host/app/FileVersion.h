#pragma once
// The version of the archive being read. A load function opens a
// CFileVersionScope with the version it found in the file's header; while the
// scope lives (on this thread), CheckFileVersion and GetConfigVersion answer for
// that archive. Scopes nest: a trace file read inside a configuration answers
// for itself, and the configuration's version returns when it closes. With no
// scope open they answer for the version this software writes.

// The version written by this software: 1.50g, configuration 109.
constexpr int QX_FILE_VERSION_NUMBER = 150;
constexpr int QX_FILE_VERSION_LETTER = 'g';
constexpr int QX_CONFIG_VERSION = 109;

// Compares version fileNumber/fileLetter with number/letter: number first, then
// the letter code (unsigned). -1 older, 0 equal, 1 newer.
int CompareFileVersion(int fileNumber, int fileLetter, int number, int letter);

class CFileVersionScope {
public:
    CFileVersionScope(int number, int letter, int configVersion = 0);
    ~CFileVersionScope();
    CFileVersionScope(const CFileVersionScope&) = delete;
    CFileVersionScope& operator=(const CFileVersionScope&) = delete;

    // The configuration version is often read after the number and letter.
    void SetConfigVersion(int configVersion) { m_iConfigVersion = configVersion; }

    int GetNumber() const { return m_iNumber; }
    int GetLetter() const { return m_iLetter; }
    int GetConfigVersion() const { return m_iConfigVersion; }

private:
    int m_iNumber;
    int m_iLetter;
    int m_iConfigVersion;
    CFileVersionScope* m_pOuter;
};

// Negative if the archive being read is older than number/letter (100 with 'g'
// is 1.00g), zero if equal, positive if newer.
int CheckFileVersion(int number, int letter);
// The configuration version of the archive being read.
int GetConfigVersion();
