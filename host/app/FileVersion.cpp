#include "host/app/FileVersion.h"

namespace {

thread_local CFileVersionScope* t_pInnermost = nullptr;

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

int CompareFileVersion(int fileNumber, int fileLetter, int number, int letter)
{
    // Compared, not subtracted: a corrupt file may carry any number.
    if (fileNumber != number) return fileNumber < number ? -1 : 1;
    // Letters are bytes on file: compare their codes as unsigned.
    return Sign(static_cast<int>(static_cast<unsigned char>(fileLetter)) -
                static_cast<int>(static_cast<unsigned char>(letter)));
}

CFileVersionScope::CFileVersionScope(int number, int letter, int configVersion)
    : m_iNumber(number), m_iLetter(letter), m_iConfigVersion(configVersion), m_pOuter(t_pInnermost)
{
    t_pInnermost = this;
}

CFileVersionScope::~CFileVersionScope()
{
    t_pInnermost = m_pOuter;
}

int CheckFileVersion(int number, int letter)
{
    if (const CFileVersionScope* scope = t_pInnermost) {
        return CompareFileVersion(scope->GetNumber(), scope->GetLetter(), number, letter);
    }
    return CompareFileVersion(QX_FILE_VERSION_NUMBER, QX_FILE_VERSION_LETTER, number, letter);
}

int GetConfigVersion()
{
    const CFileVersionScope* scope = t_pInnermost;
    return scope ? scope->GetConfigVersion() : QX_CONFIG_VERSION;
}
