// CLimitLine: the limit-line record and the limit file.
//
// A limit file starts with the trace-file header under one of three magic
// words: a limit table, a limit line holding trace data, or (older
// software) a whole trace file of a limit-line type. The record after it is
// read by the rules of the version that wrote it. Every size read is checked
// against the bytes left before anything is allocated.

#include "trace/limits/LimitLine.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/FileVersion.h"
#include "host/app/PathResolver.h"
#include "host/units/Unit.h"
#include "platform/Archive.h"
#include "resources/StringTable.h"
#include "trace/display/XScale.h"
#include "trace/document/GraphDoc.h"
#include "trace/file/TraceFileHeader.h"
#include "trace/file/ComputeRecord.h"
#include "trace/file/RecordSink.h"
#include "trace/file/TraceRecord.h"
#include "trace/core/LimitMath.h"
#include "trace/limits/LimitTable.h"
#include "trace/core/TraceMath.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>

namespace {

// A count of items read from the archive: refused (as a corrupt archive)
// when negative, beyond what is left, or beyond any trace's size.
int CheckedCount(CArchive& ar, std::int32_t iCount, std::int64_t iItemBytes, const char* pWhat)
{
    CTraceRecord::CheckCount(ar, iCount, iItemBytes, pWhat);
    if (iCount > kMaxTraceDataSize) throw CArchiveException(CArchiveException::badSchema, pWhat);
    return iCount;
}

// Reads iStored bytes of polarity into a buffer of iSize (>= iStored); the
// extra points repeat the last stored one.
std::vector<unsigned char> ReadPolarity(CArchive& ar, int iStored, int iSize)
{
    std::vector<unsigned char> aBytes(static_cast<size_t>(iSize), POLARITY_NONE);
    if (iStored > 0 && ar.Read(aBytes.data(), static_cast<size_t>(iStored)) != static_cast<size_t>(iStored))
        throw CArchiveException(CArchiveException::endOfFile, "limit line: polarity cut short");
    for (int i = iStored; i < iSize && iStored > 0; ++i)
        aBytes[static_cast<size_t>(i)] = aBytes[static_cast<size_t>(iStored - 1)];
    return aBytes;
}

bool FileExists(const CString& sPath)
{
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(sPath.str()), error);
}

CString FormatMessageWithPath(int iStringId, const CString& sPath)
{
    CString sText;
    sText.Format(LoadResString(iStringId), sPath.GetString());
    return sText;
}

} // namespace

// ---- The record --------------------------------------------------------------------------

void CLimitLine::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        m_iTableFlag = HasLimitTable() ? 1 : 0;
        if (m_pLimitTable) {
            m_pLimitTable->Serialize(ar);
        } else {
            const int iSize = CQXTrace::GetDataSize();
            ar << static_cast<std::int32_t>(iSize);
            for (int i = 0; i < iSize; ++i) ar << m_pYData[static_cast<size_t>(i)];
            for (const auto* pBytes : {&m_pPolarityData, &m_pTransformedPolarityData}) {
                const bool bPresent = static_cast<int>(pBytes->size()) == iSize && iSize > 0;
                ar << static_cast<std::int32_t>(bPresent ? 1 : 0);
                if (bPresent) ar.Write(pBytes->data(), pBytes->size());
            }
            ar << static_cast<std::int32_t>(m_iXUnitCreated) << static_cast<std::int32_t>(m_iYUnitCreated)
               << m_dMaxXValueWhenCreated;
        }
        SerializeTail(ar, m_iDataSize);
        return;
    }

    if (CheckFileVersion(93, 'd') < 0) CQXTrace::Serialize(ar);
    int iStored = 0;
    if (m_iTableFlag) {
        RemoveTraceData();
        CLimitTable* pTable = EnsureLimitTable();
        if (!pTable) throw CArchiveException(CArchiveException::genericException, "limit line: out of memory");
        pTable->Serialize(ar);
    } else {
        iStored = ReadTraceData(ar);
    }
    SerializeTail(ar, iStored);
}

void CLimitLine::SerializeInConfig(CArchive& ar)
{
    // Archives before 0.93d hold the base record inside the limit-line record.
    if (ar.IsStoring() || CheckFileVersion(93, 'd') >= 0) CQXTrace::Serialize(ar);
    Serialize(ar);
}

int CLimitLine::ReadTraceData(CArchive& ar)
{
    std::int32_t iRead = 0;
    ar >> iRead;
    const int iStored = CheckedCount(ar, iRead, sizeof(double), "data size");
    const int iSize = CheckFileVersion(100, 's') <= 0 ? GrownLimitDataSize(iStored) : iStored;

    std::unique_ptr<double[]> pdY;
    if (iSize > 0) {
        pdY = AllocateTraceArray(iSize);
        if (!pdY) {
            ReportOutOfMemory(__FILE__, __LINE__);
            throw CArchiveException(CArchiveException::genericException, "limit line: out of memory");
        }
        for (int i = 0; i < iStored; ++i) ar >> pdY[static_cast<size_t>(i)];
        for (int i = iStored; i < iSize; ++i) pdY[static_cast<size_t>(i)] = pdY[static_cast<size_t>(iStored - 1)];
    }

    std::vector<unsigned char> aPolarity;
    std::vector<unsigned char> aTransformedPolarity;
    std::int32_t bPresent = 0;
    if (CheckFileVersion(93, 'o') >= 0) {
        ar >> bPresent;
        if (bPresent) aPolarity = ReadPolarity(ar, iStored, iSize);
    }
    if (CheckFileVersion(100, 'g') >= 0) {
        ar >> bPresent;
        if (bPresent) aTransformedPolarity = ReadPolarity(ar, iStored, iSize);
    }
    std::int32_t iXUnit = -1;
    std::int32_t iYUnit = -1;
    ar >> iXUnit >> iYUnit;
    double dMaxX = 0.0;
    if (CheckFileVersion(94, 'c') >= 0) ar >> dMaxX;

    bool bXRemapped = false;
    bool bYRemapped = false;
    if (CheckFileVersion(94, 'f') < 0) {
        iXUnit = RemapOldMilliUnit(iXUnit, &bXRemapped);
        iYUnit = RemapOldMilliUnit(iYUnit, &bYRemapped);
    }
    if (bXRemapped) dMaxX /= 1000.0;
    if (bYRemapped) {
        for (int i = 0; i < iSize; ++i)
            if (pdY[static_cast<size_t>(i)] != DBL_MAX) pdY[static_cast<size_t>(i)] /= 1000.0;
    }

    // Everything read: the line takes it over.
    RemoveLimitTable();
    {
        CSingleLock lock(&m_TraceLock, true);
        m_pYData = std::move(pdY);
        m_iDataSize = iSize;
    }
    m_pPolarityData = std::move(aPolarity);
    m_pTransformedPolarityData = std::move(aTransformedPolarity);
    m_iXUnitCreated = iXUnit;
    m_iYUnitCreated = iYUnit;
    m_dMaxXValueWhenCreated = dMaxX;
    if (iSize > 0) SetXDataRange(0, iSize - 1);
    return iStored;
}

void CLimitLine::ReadTableTail(CArchive& ar)
{
    if (!ar.IsStoring() && ar.GetRemaining() > 0) SerializeTail(ar, GetDataSize());
}

// The computes, the transformed data and the name, after either form;
// iStored is the number of points the file holds.
void CLimitLine::SerializeTail(CArchive& ar, int iStored)
{
    if (ar.IsStoring()) {
        ar << static_cast<std::int32_t>(m_pComputeList ? 1 : 0);
        if (m_pComputeList) {
            CArchiveSink sink(ar);
            ComputeRecord::Describe(*m_pComputeList, sink);
        }
        // One transformed value per point of either form.
        const int iSize = m_iTransformedSize;
        const bool bTransformed = m_pTransformedYData != nullptr && iSize > 0;
        ar << static_cast<std::uint8_t>(bTransformed ? 1 : 0);
        if (bTransformed)
            for (int i = 0; i < iSize; ++i) ar << m_pTransformedYData[static_cast<size_t>(i)];
        ar << m_sTraceName;
        return;
    }

    if (CheckFileVersion(100, 'g') >= 0) {
        CTraceRecord::ReadComputeListOf(*this, ar);
        std::uint8_t bTransformed = 0;
        ar >> bTransformed;
        if (bTransformed) {
            // A table holds one transformed value per table point.
            const int iPoints = m_pLimitTable ? GetDataSize() : iStored;
            CheckedCount(ar, iPoints, sizeof(double), "transformed data size");
            std::vector<unsigned char> aKeep = m_pTransformedPolarityData;
            if (iPoints <= 0 || !AllocateTransformedYDataBuffer(1) || iPoints > m_iTransformedSize)
                throw CArchiveException(CArchiveException::badSchema, "limit line: transformed data without data");
            const int iSize = m_iTransformedSize;
            double* pdT = m_pTransformedYData.get();
            for (int i = 0; i < iPoints; ++i) ar >> pdT[i];
            for (int i = iPoints; i < iSize; ++i) pdT[i] = pdT[iPoints - 1];
            if (static_cast<int>(aKeep.size()) == iSize) m_pTransformedPolarityData = std::move(aKeep);
        }
    }
    CString sName;
    if (GetConfigVersion() >= 13) ar >> sName;
    m_sTraceName = sName;
}

void CLimitLine::PostSerialize(CArchive& /*ar*/)
{
    if (m_pLimitTable && HasTraceData())
        QXDebugLog(1, "CLimitLine::PostSerialize", "LIMITLINE: both a table and trace data, the table counts");
    // Older jitter tables named the peak-to-peak units by their plain ids.
    const bool bJitterParent = m_pTrace && (m_pTrace->IsJDO() || m_pTrace->GetYUnit() == UNIT_JITTER_UIPP ||
                                            m_pTrace->GetYUnit() == UNIT_JITTER_NSPP);
    if (m_pLimitTable && bJitterParent) {
        const int iUnit = m_pLimitTable->GetYUnit();
        if (iUnit == UNIT_JITTER_UI || iUnit == UNIT_JITTER_NS) m_pLimitTable->SetYUnit(iUnit + 3);
    }
    if (m_iXUnitCreated == -1 && m_pXScale) m_iXUnitCreated = m_pXScale->GetXUnit();
}

// ---- The file --------------------------------------------------------------------------------

int CLimitLine::InitialiseFromFile(CString sPath, int bShowMessages, std::string* psReason)
{
    PrivatePathResolver* pResolver = PrivatePathResolver::getInstance();
    CString sFullPath = pResolver->getFilePath(sPath, PATH_SUBTYPE_LIMITS);
    const CString sWithExtension = sFullPath + LoadResString(IDS_LIMIT_FILE_EXT);
    // The name as given unless only the name with the extension exists.
    if (!std::filesystem::exists(std::filesystem::path(sFullPath.str())) && FileExists(sWithExtension))
        sFullPath = sWithExtension;

    EInputFileProblem eProblem = EInputFileProblem::none;
    std::unique_ptr<CArchive> pArchive = CArchive::OpenFile(sFullPath, CArchive::load, &eProblem);
    if (!pArchive) {
        QXDebugLog(1, "CLimitLine::InitialiseFromFile", "LIMITLINE: Failed to open \"%ls\"", sFullPath.GetString());
        if (psReason) *psReason = DescribeInputFileProblem(eProblem);
        if (bShowMessages) AfxMessageBox(FormatMessageWithPath(IDS_LIMIT_FILE_OPEN_FAILED, sFullPath), MB_OK);
        return 0;
    }
    const int bResult = InitialiseFromArchive(*pArchive, sFullPath, bShowMessages, psReason);
    pArchive->Close();
    return bResult;
}

int CLimitLine::InitialiseFromArchive(CArchive& ar, const CString& sPath, int bShowMessages, std::string* psReason)
{
    std::string sReason;
    const ELimitFileResult eResult = ReadLimitFile(ar, sReason);
    if (eResult == ELimitFileResult::ok) m_sTraceName = sPath;
    else if (psReason) *psReason = sReason;

    // Whatever the outcome, the line spans its data and has an ID of its own.
    const int iLast = std::max(GetDataSize() - 1, 0);
    CQXTrace::SetMinXPos(0);
    CQXTrace::SetMaxXPos(iLast);
    CQXTrace::SetCurrentMinXPos(0);
    CQXTrace::SetCurrentMaxXPos(iLast);
    if (CGraphDoc* pDoc = GetGraphDoc()) m_sTraceID = pDoc->GetNextTraceID();

    if (eResult == ELimitFileResult::ok) return 1;
    if (bShowMessages) {
        switch (eResult) {
        case ELimitFileResult::notALimitLine: AfxMessageBox(LoadResString(IDS_LIMIT_NOT_A_LIMIT_LINE), MB_OK); break;
        case ELimitFileResult::tooOld: AfxMessageBox(LoadResString(IDS_LIMIT_VERSION_TOO_OLD), MB_OK); break;
        default: AfxMessageBox(FormatMessageWithPath(IDS_LIMIT_FILE_INVALID, sPath), MB_OK); break;
        }
    }
    return 0;
}

CLimitLine::ELimitFileResult CLimitLine::ReadLimitFile(CArchive& ar, std::string& sReason)
{
    const char* szPart = "the header";
    try {
        STraceFileHeader header;
        if (ar.GetRemaining() < 4) {
            sReason = "not a limit file (shorter than a header)";
            return ELimitFileResult::notALimitFile;
        }
        const EHeaderResult eHeader = ReadTraceFileHeader(ar, header, true);
        if (eHeader != EHeaderResult::ok) sReason = DescribeHeaderRefusal(eHeader, header, "limit file");
        if (eHeader == EHeaderResult::badMagic) return ELimitFileResult::notALimitFile;
        if (eHeader == EHeaderResult::refusedVersion) {
            const bool bOld = CompareFileVersion(header.iVersionNumber, header.iVersionLetter, 93, 'a') <= 0;
            return bOld ? ELimitFileResult::tooOld : ELimitFileResult::notALimitFile;
        }
        if (header.uMagic == TRACE_FILE_MAGIC && header.eTraceType != TT_MAXLIMITLINE &&
            header.eTraceType != TT_MINLIMITLINE) {
            sReason = "a trace file, not a limit line (load it with --trace)";
            return ELimitFileResult::notALimitLine;
        }
        CArchiveVersionScope version(ar);
        if (CheckFileVersion(93, 'a') <= 0) {
            sReason = "unsupported version " + FormatFileVersion(header.iVersionNumber, header.iVersionLetter) +
                      " (older than 0.93a)";
            return ELimitFileResult::tooOld;
        }

        if (header.uMagic == LIMIT_FILE_MAGIC_TABLE) {
            // Read aside first: a corrupt table leaves the line as it was.
            szPart = "the limit table";
            CLimitTable table;
            table.Serialize(ar);
            RemoveTraceData();
            CLimitTable* pTable = EnsureLimitTable();
            if (!pTable) {
                sReason = "out of memory";
                return ELimitFileResult::outOfMemory;
            }
            *pTable = table;
            m_iTableFlag = 1;
            ReadTableTail(ar);
        } else {
            szPart = "the limit-line record";
            RemoveLimitTable();
            m_iTableFlag = 0;
            if (header.uMagic == TRACE_FILE_MAGIC) m_eTraceType = header.eTraceType;
            Serialize(ar);
        }
        RecalcTrace();
        return ELimitFileResult::ok;
    } catch (const CArchiveException& e) {
        QXDebugLog(1, "CLimitLine::ReadLimitFile", "LIMITLINE: corrupt limit file: %s", e.what());
        sReason = DescribeCorruption(ar, szPart, e.what());
        return ELimitFileResult::corrupt;
    }
}

// ---- Loading a line for a trace ------------------------------------------------------------

int CLimitLine::LoadForTrace(CQXTrace* pTrace, const CString& sPath, TraceType eType, int bShowMessages,
                             int* piFailure, std::string* psReason)
{
    const auto Fail = [&](int iMessage) {
        if (piFailure) *piFailure = iMessage;
        if (bShowMessages) AfxMessageBox(LoadResString(iMessage), MB_OK);
        return 0;
    };
    if (!QXVERIFY(pTrace != nullptr && !pTrace->IsLimitLine())) return Fail(IDS_OLE_SET_LIMIT_FAILED);
    if (!QXVERIFY(eType == TT_MAXLIMITLINE || eType == TT_MINLIMITLINE)) return Fail(IDS_OLE_SET_LIMIT_FAILED);
    std::unique_ptr<CLimitLine> pLine;
    try {
        pLine = std::make_unique<CLimitLine>(pTrace, eType == TT_MAXLIMITLINE ? 1 : 0, 0);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(__FILE__, __LINE__);
        return Fail(IDS_OLE_SET_LIMIT_FAILED);
    }
    if (!pLine->InitialiseFromFile(sPath, bShowMessages, psReason)) {
        // The file's own message has said why; a second box would only repeat it.
        if (piFailure) *piFailure = IDS_OLE_SET_LIMIT_FAILED;
        return 0;
    }
    if (!pTrace->IsLimitConsistent(pLine->GetLimitXUnit(), pLine->GetLimitYUnit())) {
        if (psReason) {
            const auto Name = [](int iUnit) {
                const CUnit* pUnit = FindUnitObject(static_cast<EUnit>(iUnit));
                return pUnit ? pUnit->GetName().ToUtf8() : "unit " + std::to_string(iUnit);
            };
            *psReason = "its units (" + Name(pLine->GetLimitYUnit()) + " over " + Name(pLine->GetLimitXUnit()) +
                        ") do not suit the trace (" + Name(pTrace->GetYUnit()) + " over " + Name(pTrace->GetXUnit()) +
                        ")";
        }
        return Fail(IDS_LIMIT_UNITS_INCONSISTENT);
    }
    return pTrace->SetLimitLineForTrace(pLine.release(), eType, 1, 1, 0);
}
