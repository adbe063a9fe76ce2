#include "trace/file/TraceRecord.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/EventManager.h"
#include "host/app/FileVersion.h"
#include "host/app/HostObjects.h"
#include "host/settings/OptionsSettings.h"
#include "host/units/UnitFunctions.h"
#include "platform/Archive.h"
#include "host/settings/MeasurementSettings.h"
#include "trace/display/XScale.h"
#include "trace/display/YScale.h"
#include "trace/document/GraphDoc.h"
#include "trace/compute/ComputeList.h"
#include "trace/file/ComputeRecord.h"
#include "trace/file/RecordSink.h"
#include "trace/model/CursorMark.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {

// Units of early versions that were renumbered, old to new.
constexpr std::pair<int, int> kRenumberedYUnits[] = {{24, 27}, {25, 28}, {26, 29}, {33, 34}, {65, 66}};
// The default Y unit of the three-unit files (0.95d to 0.95l).
constexpr int kThreeUnitDefault = UNIT_DBU;

bool IsPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// FFT kinds hold one point more than their transform length (the Nyquist bin).
bool AddsNyquistPoint(TraceType eType, int iSize)
{
    const bool bKind = eType == TT_FFT || eType == TT_CTFFT || eType == TT_FILTER || eType == TT_FFTRESPONSE;
    return bKind && iSize >= 1024 && IsPowerOfTwo(iSize);
}

} // namespace

CTraceRecord::CTraceRecord(CQXTrace& trace, CArchive& ar)
    : m_t(trace), m_ar(ar), m_bInspecting(IsInspectionOnlyLoad()), m_bConfig(trace.IsSerializingConfig() != 0)
{
}

bool CTraceRecord::IsInspectionOnlyLoad()
{
    const CQuorixApp* pApp = GetQuorixApp();
    return pApp && pApp->IsInspectionOnlyLoad();
}

void CTraceRecord::CheckCount(CArchive& ar, std::int64_t count, std::int64_t itemBytes, const char* what)
{
    if (count < 0 || (itemBytes > 0 && static_cast<std::uint64_t>(count) > ar.GetRemaining() / itemBytes))
        throw CArchiveException(CArchiveException::badIndex, std::string(what) + " out of range");
}

bool CTraceRecord::From(int iNumber, int iLetter) { return CheckFileVersion(iNumber, iLetter) >= 0; }
bool CTraceRecord::UpTo(int iNumber, int iLetter) { return CheckFileVersion(iNumber, iLetter) <= 0; }
bool CTraceRecord::Config(int iVersion) { return GetConfigVersion() >= iVersion; }

std::int32_t CTraceRecord::I32()
{
    std::int32_t v = 0;
    m_ar >> v;
    return v;
}
std::uint8_t CTraceRecord::U8()
{
    std::uint8_t v = 0;
    m_ar >> v;
    return v;
}
double CTraceRecord::F64()
{
    double v = 0.0;
    m_ar >> v;
    return v;
}
CString CTraceRecord::Str()
{
    CString s;
    m_ar >> s;
    return s;
}
void CTraceRecord::Skip(int iBytes)
{
    for (int i = 0; i < iBytes; ++i) U8();
}

// ---- Writing ------------------------------------------------------------------------------

void CTraceRecord::Describe(CQXTrace& t, IRecordSink& s)
{
    s.Int64("handle", static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(&t)));
    s.Int32("m_crColor", static_cast<std::int32_t>(t.m_crColor));
    s.Int32("m_crDefaultColor", static_cast<std::int32_t>(t.m_crDefaultColor));
    s.Int32("m_crPrintColor", static_cast<std::int32_t>(t.m_crPrintColor));
    s.Flag32("m_bOn", t.m_bOn);
    s.Flag32("m_bInUse", t.m_bInUse);
    s.Flag32("m_bLive", t.m_bLive);
    s.Flag32("m_bCopy", t.m_bCopy);
    s.Int32("m_iYDigUnit", t.m_iYDigUnit);
    s.Int32("m_iCursorXUnit", t.m_iCursorXUnit);
    s.Int32("m_iCursorYDigUnit", t.m_iCursorYDigUnit);
    s.Int32("m_iYAnaUnit", t.m_iYAnaUnit);
    s.Int32("m_iCursorYAnaUnit", t.m_iCursorYAnaUnit);
    s.Int32("m_iYJDOUnit", t.m_iYJDOUnit);
    s.Int32("m_iCursorYJDOUnit", t.m_iCursorYJDOUnit);
    s.Int32("m_iYSoundcardUnit", t.m_iYSoundcardUnit);
    s.Int32("m_iCursorYSoundcardUnit", t.m_iCursorYSoundcardUnit);
    s.Int32("m_iYRelativeUnit", t.m_iYRelativeUnit);
    s.Int32("m_iCursorYRelativeUnit", t.m_iCursorYRelativeUnit);
    s.String("m_sTraceName", t.m_sTraceName);
    s.Flag32("m_bInterpolated", t.m_bInterpolated);
    s.Int32("m_iInterpolationFactor", t.m_iInterpolationFactor);
    s.String("m_sComment", t.m_sComment);
    s.Flag32("m_bLogY", t.m_bLogY);
    s.Int32("m_iPrintStyle", t.m_iPrintStyle);
    s.Int32("m_bYAutoIntervals", t.m_bYAutoIntervals);
    s.Int32("m_iDataSize", t.m_iDataSize);
    s.Doubles("m_pYData", t.m_pYData.get(), t.m_pYData ? t.m_iDataSize : 0);
    const int bShowTransformed = t.GetShowTransformedYData();
    s.Flag8("showTransformedYData", bShowTransformed);
    s.Int32("m_iMinXPos", t.m_iMinXPos);
    s.Int32("m_iMaxXPos", t.m_iMaxXPos);
    s.Int32("m_iCurrentMinXPos", t.m_iCurrentMinXPos);
    s.Int32("m_iCurrentMaxXPos", t.m_iCurrentMaxXPos);
    s.Double("m_dCurrentMinYData", t.m_dCurrentMinYData);
    s.Double("m_dCurrentMaxYData", t.m_dCurrentMaxYData);
    s.Double("m_dCurrentMinYScaleValue", t.m_dCurrentMinYScaleValue);
    s.Double("m_dCurrentMaxYScaleValue", t.m_dCurrentMaxYScaleValue);
    s.Double("m_dMinXScaleValue", t.m_dMinXScaleValue);
    s.Double("m_dMaxXScaleValue", t.m_dMaxXScaleValue);
    // No cursor setting beyond the ones below is kept; the word stays for the layout.
    s.Int32("cursorSetting", 0);
    s.Flag32("hasCursor", t.m_pCursor != nullptr);
    if (t.m_pCursor) s.CursorMark("m_pCursor", *t.m_pCursor);
    s.Flag32("hasRelativeCursor", t.m_pRelativeCursor != nullptr);
    if (t.m_pRelativeCursor) s.CursorMark("m_pRelativeCursor", *t.m_pRelativeCursor);
    s.Int32("m_bCursorOn", t.m_bCursorOn);
    s.Int32("m_bRelativeCursorOn", t.m_bRelativeCursorOn);
    s.Int32("m_bShowMarksOnScreen", t.m_bShowMarksOnScreen);
    s.Int32("m_bPrintMarks", t.m_bPrintMarks);
    s.Int32("m_bMarksOn", t.m_bMarksOn);
    const auto iMarks = static_cast<std::int32_t>(
        std::count_if(t.m_apMarks.begin(), t.m_apMarks.end(), [](const CCursorMark* p) { return p != nullptr; }));
    s.Int32("markCount", iMarks);
    s.BeginList("m_apMarks");
    for (CCursorMark* pMark : t.m_apMarks)
        if (pMark) s.CursorMark(nullptr, *pMark);
    s.EndList();
    s.Int32("m_iCurrentMark", t.m_iCurrentMark);
    const bool bXScale = t.m_pXScale && !t.IsLimitLine();
    s.Flag32("hasXScale", bXScale);
    if (bXScale) s.XScale("m_pXScale", *t.m_pXScale);
    s.Flag32("hasYScale", t.m_pYScale && !t.IsLimitLine() && t.m_bSerializingConfig);
    s.Double("m_dYOffset", t.m_dYOffset);
    s.Double("m_dYOffsetData", t.m_dYOffsetData);
    s.Flag32("hasComputeList", t.m_pComputeList != nullptr);
    if (t.m_pComputeList) {
        s.BeginRecord("m_pComputeList");
        ComputeRecord::Describe(*t.m_pComputeList, s);
        s.EndRecord();
    }
    s.Int32("showTransformedRequest", bShowTransformed);
    s.UInt16("m_sTraceID", static_cast<std::uint16_t>(t.m_sTraceID));
    s.String("m_sFileName", t.m_sFileName);
    s.Int32("m_eMode", t.m_eMode);
    s.Int32("m_iRelativity", t.m_iRelativity);
    s.Int32("m_iResponse", t.m_iResponse);
    const CQXTrace::SReferenceBlock& r = t.m_References;
    s.Double("dGenAnalogueReference", r.dGenAnalogueReference);
    s.Double("dAnaAnalogueReference", r.dAnaAnalogueReference);
    s.Double("dGenDigitalReference", r.dGenDigitalReference);
    s.Double("dAnaDigitalReference", r.dAnaDigitalReference);
    s.Double("dGenImpedance", r.dGenImpedance);
    s.Double("dAnaImpedance", r.dAnaImpedance);
    s.Double("dGenZerodBSPL", r.dGenZerodBSPL);
    s.Double("dAnaZerodBSPL", r.dAnaZerodBSPL);
    s.Double("m_dSampleRate", t.m_dSampleRate);
    s.Double("m_dJDOSampleRate", t.m_dJDOSampleRate);
    s.Double("m_dRelativityOtherValue", t.m_dRelativityOtherValue);
    s.Flag32("m_bInputUnlocked", t.m_bInputUnlocked);
    s.Int32("m_iNumSamplesZeroBin", t.m_iNumSamplesZeroBin);
    s.Flag8("m_bUseZeroBin", t.m_bUseZeroBin);
    s.Flag8("m_bFromImpulseResponse", t.m_bFromImpulseResponse);
    s.Double("m_dAnaVsGenFactor", t.m_dAnaVsGenFactor);
    s.Ticks("m_aiTicks", t.m_aiTicks);
    s.ZoomHistory("m_ZoomHistory", t.m_ZoomHistory);
}

void CTraceRecord::Serialize(CQXTrace& trace, CArchive& ar)
{
    if (ar.IsStoring()) {
        CArchiveSink sink(ar);
        Describe(trace, sink);
        return;
    }
    CTraceRecord reader(trace, ar);
    reader.Read();
}

// ---- Reading ------------------------------------------------------------------------------

void CTraceRecord::Read()
{
    ReadHandle();
    m_t.m_crColor = static_cast<COLORREF>(I32());
    m_t.m_crDefaultColor = static_cast<COLORREF>(I32());
    m_t.m_crPrintColor = From(95, 'd') ? static_cast<COLORREF>(I32()) : m_t.m_crColor;
    m_t.m_bOn = I32() != 0;
    m_t.m_bInUse = I32() != 0;
    const int bLive = I32() != 0;
    // Only a configuration brings back live traces; a trace file never does.
    m_t.m_bLive = m_bConfig ? bLive : 0;
    if (From(91, '*')) m_t.m_bCopy = I32() != 0;
    ReadUnits();
    m_t.m_sTraceName = Str();
    m_t.m_bInterpolated = I32() != 0;
    const int iFactor = I32();
    m_t.m_iInterpolationFactor = m_t.m_bInterpolated ? 8 : 1;
    if (iFactor != m_t.m_iInterpolationFactor)
        QXDebugLog(3, "CQXTrace::Serialize", "SER: interpolation factor %d read as %d", iFactor,
                   m_t.m_iInterpolationFactor);
    m_t.m_sComment = Str();
    m_t.m_bLogY = I32() != 0;
    if (!From(91, '*')) Skip(8);
    if (!Config(79)) Skip(4);
    m_t.m_iPrintStyle = std::clamp(I32(), 0, 4);
    m_t.m_bYAutoIntervals = I32();
    ReadYData();
    m_t.m_bShowTransformedRequest = From(100, 'g') ? (U8() != 0) : 0;
    if (!Config(25)) Str();
    ReadXPositions();
    m_t.m_dCurrentMinYData = F64();
    m_t.m_dCurrentMaxYData = F64();
    m_t.m_dCurrentMinYScaleValue = F64();
    m_t.m_dCurrentMaxYScaleValue = F64();
    m_bReadMinXScale = Config(38);
    if (m_bReadMinXScale) m_t.m_dMinXScaleValue = F64();
    m_bReadMaxXScale = From(95, 'j');
    if (m_bReadMaxXScale) m_t.m_dMaxXScaleValue = F64();
    I32(); // cursor setting, not kept
    if (!From(100, 'q')) {
        const std::int32_t iCount = I32();
        CheckCount(m_ar, iCount, 4, "old cursor list");
        Skip(iCount * 4);
        I32();
    }
    ReadCursorsAndMarks();
    ReadScales();
    if (From(92, '*')) m_t.m_dYOffset = F64();
    m_t.m_dYOffsetData = From(99, 'h') ? F64() : 0.0;
    if (From(96, 'g')) ReadComputeList();
    if (From(96, 'i')) I32(); // the show-transformed request repeats field 29
    if (From(97, 'd')) {
        std::uint16_t uID = 0;
        m_ar >> uID;
        // 0 is never an ID: the trace keeps the one it was created with.
        if (uID != 0) m_t.m_sTraceID = static_cast<short>(uID);
    }
    m_t.m_sFileName = Config(13) ? Str() : CString();
    RenumberOldYUnits();
    ReadInputDetails();
    FinishRecord();
    m_t.m_aiTicks.Serialize(m_ar);
    if (From(100, 'q')) m_t.m_ZoomHistory.Serialize(m_ar);
    AfterRecord();
}

void CTraceRecord::ReadHandle()
{
    const std::int64_t iOld = Config(78) ? [&] {
        std::int64_t v = 0;
        m_ar >> v;
        return v;
    }()
                                         : static_cast<std::int64_t>(I32());
    if (m_bInspecting) return;
    CEventManager* pEvents = GetEventManager();
    if (!pEvents) return;
    const auto oldOwner = static_cast<LPARAM>(iOld);
    const auto newOwner = reinterpret_cast<LPARAM>(&m_t);
    for (int iKind : {EVENT_MIN_LIMIT_BREACHED, EVENT_MAX_LIMIT_BREACHED}) {
        if (UpTo(93, 'f'))
            pEvents->RemoveEvent(iKind, oldOwner);
        else if (m_bConfig)
            pEvents->UpdateEventlParam(iKind, oldOwner, newOwner);
    }
}

void CTraceRecord::ReadUnits()
{
    CQXTrace& t = m_t;
    const bool bDigitalHost = t.ModeFromAnalyserSettings() == CQXTrace::eModeDigital;
    // A missing word takes its counterpart when that is a valid Y unit.
    auto derive = [&t](int iFrom, int iDefault) { return t.CheckUnit(iFrom, Y_AXIS) ? iFrom : iDefault; };
    if (From(95, 'm')) {
        t.m_iYDigUnit = I32();
        t.m_iCursorXUnit = I32();
        t.m_iCursorYDigUnit = I32();
        t.m_iYAnaUnit = I32();
        t.m_iCursorYAnaUnit = I32();
        t.m_iYJDOUnit = I32();
        t.m_iCursorYJDOUnit = I32();
    } else if (From(95, 'd')) {
        const int iY = I32();
        t.m_iCursorXUnit = I32();
        const int iCursorY = I32();
        if (bDigitalHost) {
            t.m_iYDigUnit = iY;
            t.m_iCursorYDigUnit = iCursorY;
            t.m_iYAnaUnit = derive(iY, kThreeUnitDefault);
            t.m_iCursorYAnaUnit = derive(iCursorY, kThreeUnitDefault);
        } else {
            t.m_iYAnaUnit = iY;
            t.m_iCursorYAnaUnit = iCursorY;
            t.m_iYDigUnit = derive(iY, kThreeUnitDefault);
            t.m_iCursorYDigUnit = derive(iCursorY, kThreeUnitDefault);
        }
    } else {
        const int iY = I32();
        if (bDigitalHost) {
            t.m_iYDigUnit = iY;
            t.m_iYAnaUnit = derive(iY, t.GetDefaultYUnit(CQXTrace::eModeAnalogue, 0));
        } else {
            t.m_iYAnaUnit = iY;
            t.m_iYDigUnit = derive(iY, t.GetDefaultYUnit(CQXTrace::eModeDigital, 0));
        }
        t.m_iCursorYDigUnit = t.m_iYDigUnit;
        t.m_iCursorYAnaUnit = t.m_iYAnaUnit;
    }
    if (Config(30)) {
        t.m_iYSoundcardUnit = I32();
        t.m_iCursorYSoundcardUnit = I32();
    } else {
        t.m_iYSoundcardUnit = t.m_iCursorYSoundcardUnit = t.GetDefaultYUnit(CQXTrace::eModeSoundcard, 0);
    }
    if (Config(59)) {
        t.m_iYRelativeUnit = I32();
        t.m_iCursorYRelativeUnit = I32();
    } else {
        // Unit 82 was held only by window traces and became 72.
        for (int* pUnit : {&t.m_iYDigUnit, &t.m_iYAnaUnit})
            if (*pUnit == 82) *pUnit = UNIT_RELATIVE_GAIN;
        const int iInputUnit = bDigitalHost ? t.m_iYDigUnit : t.m_iYAnaUnit;
        t.m_iYRelativeUnit = t.m_iCursorYRelativeUnit = derive(iInputUnit, GetDefaultRelativeUnit(RESULTKIND_AMPLITUDE));
    }
    if (!t.IsUserTrace())
        for (int* pUnit : {&t.m_iYJDOUnit, &t.m_iCursorYJDOUnit})
            if (*pUnit == UNIT_DBFS) *pUnit = UNIT_JITTER_DBUI;
}

void CTraceRecord::ReadYData()
{
    CQXTrace& t = m_t;
    const std::int32_t iStored = I32();
    CheckCount(m_ar, iStored, 8, "data size");
    int iSize = iStored != 0 ? iStored : CQXTrace::GetDefaultDataSize(t.m_eTraceType);
    if (AddsNyquistPoint(t.m_eTraceType, iSize)) ++iSize;
    if (!t.SetBuffer(iSize) || (iSize > 0 && !t.m_pYData))
        throw CArchiveException(CArchiveException::genericException, "out of memory for the trace data");
    double* pY = t.m_pYData.get();
    for (int i = 0; i < iStored; ++i) m_ar >> pY[i];
    for (int i = iStored; i < iSize; ++i) pY[i] = 0.0;
}

void CTraceRecord::ReadXPositions()
{
    CQXTrace& t = m_t;
    t.m_iMinXPos = I32();
    t.m_iMaxXPos = I32();
    t.m_iCurrentMinXPos = I32();
    t.m_iCurrentMaxXPos = I32();
    const int iLast = std::max(0, t.m_iDataSize - 1);
    if (UpTo(99, 'q') || t.m_iMaxXPos != iLast) {
        CString sName = t.GetTraceName(1, 0, 0);
        const std::string sNarrow = sName.ToUtf8();
        const std::string sType = t.GetTypeText().ToUtf8();
        if (t.m_iCurrentMaxXPos > iLast) {
            QXDebugLog(2, "CQXTrace::Serialize", "%s Type:%d=%s m_iCurrentMaxXPos:%d > m_iMaxXPos:%d - correcting",
                       sNarrow.c_str(), t.m_eTraceType, sType.c_str(), t.m_iCurrentMaxXPos, iLast);
            t.m_iCurrentMaxXPos = iLast;
        }
        if (t.m_iMaxXPos != iLast)
            QXDebugLog(2, "CQXTrace::Serialize", "%s Type:%d=%s m_iMaxXPos:%d != GetDataSize():%d - 1 - correcting",
                       sNarrow.c_str(), t.m_eTraceType, sType.c_str(), t.m_iMaxXPos, t.m_iDataSize);
        t.m_iMaxXPos = iLast;
    }
    // Whatever the file says, positions stay inside the data.
    t.m_iMinXPos = std::clamp(t.m_iMinXPos, 0, iLast);
    t.m_iCurrentMaxXPos = std::clamp(t.m_iCurrentMaxXPos, 0, iLast);
}

CCursorMark* CTraceRecord::ReadCursor(CCursorMark* pExisting, int eType)
{
    // Read aside: a record that ends early must not leave a half-made cursor.
    CCursorMark cursor(&m_t, static_cast<CursorMarkType>(eType), 0);
    cursor.Serialize(m_ar);
    if (pExisting) {
        *pExisting = cursor;
        return pExisting;
    }
    return new CCursorMark(cursor);
}

void CTraceRecord::ReadCursorsAndMarks()
{
    CQXTrace& t = m_t;
    if (I32()) t.m_pCursor = ReadCursor(t.m_pCursor, eCursor);
    if (I32()) t.m_pRelativeCursor = ReadCursor(t.m_pRelativeCursor, eRelativeCursor);
    t.m_bCursorOn = I32() != 0;
    t.m_bRelativeCursorOn = I32() != 0;
    if (From(92, 'b')) {
        const int iShow = I32();
        t.m_bShowMarksOnScreen = iShow;
        t.m_bPrintMarks = From(95, 'd') ? I32() : iShow;
        t.m_bMarksOn = From(95, 'd') ? I32() : iShow;
    }
    const int iLast = std::max(0, t.m_iDataSize - 1);
    for (CCursorMark* p : {t.m_pCursor, t.m_pRelativeCursor})
        if (p) p->SetPosition(std::clamp(p->GetPosition(1), 0, iLast));

    const std::int32_t iCount = I32();
    if (iCount < 0 || iCount > MAX_MARKS) throw CArchiveException(CArchiveException::badIndex, "mark count out of range");
    t.RemoveAllMarks(0);
    int iKept = 0;
    for (int i = 0; i < iCount; ++i) {
        CCursorMark mark(&t, eMark, 0);
        mark.Serialize(m_ar);
        // A mark beyond the data is dropped; the others stay packed.
        if (mark.GetPosition(1) < 0 || mark.GetPosition(1) >= t.m_iDataSize) continue;
        t.m_apMarks[static_cast<size_t>(iKept++)] = new CCursorMark(mark);
    }
    m_iMarksRead = iKept;
    int iCurrent = I32();
    if (iCurrent == -1 && iKept > 0) iCurrent = 0;
    t.m_iCurrentMark = (iCurrent >= 0 && iCurrent < iKept) ? iCurrent : (iKept > 0 ? iKept - 1 : -1);
}

void CTraceRecord::ReadScales()
{
    CQXTrace& t = m_t;
    CXScale* pRead = nullptr;
    CXScale scratch;
    if (I32()) {
        if (m_bInspecting) {
            pRead = &scratch;
        } else {
            // Inside a configuration the scale is rebuilt for the trace's own kind and channel.
            if (m_bConfig) t.DeleteXScale();
            if (!t.m_pXScale) t.CreateXScale();
            pRead = t.m_pXScale ? t.m_pXScale : &scratch;
        }
        pRead->Serialize(m_ar);
        if (!m_bReadMinXScale) t.m_dMinXScaleValue = pRead->GetCurrentMinXScaleValue();
        if (!m_bReadMaxXScale) t.m_dMaxXScaleValue = pRead->GetCurrentMaxXScaleValue();
    } else {
        if (!m_bReadMinXScale) t.m_dMinXScaleValue = 0.0;
        if (!m_bInspecting) t.DeleteXScale();
    }

    if (I32()) {
        if (m_bConfig && !m_bInspecting && !t.m_pYScale) t.CreateYScale();
        // The Y scale's record is empty.
    } else if (!m_bInspecting && !t.m_bLive && t.m_pYScale) {
        const bool bFilterOrWindow = t.m_eTraceType == TT_FILTER || t.m_eTraceType == TT_WINDOW;
        if (CheckFileVersion(95, 'p') > 0 || !bFilterOrWindow) t.DeleteYScale();
    }
}

// The list replaces the trace's; its result is shown once the load is
// complete (PostSerializeTransformations). An inspection reads and drops it.
void CTraceRecord::ReadComputeList()
{
    if (!I32()) {
        if (!m_bInspecting) m_t.DeleteComputeList();
        m_t.m_bShowTransformedRequest = 0;
        return;
    }
    std::unique_ptr<CComputeList> pList = ComputeRecord::Read(m_ar);
    if (m_bInspecting) return;
    m_t.SetComputeList(pList.get());
}

void CTraceRecord::RenumberOldYUnits()
{
    CQXTrace& t = m_t;
    for (int* pUnit : {&t.m_iYDigUnit, &t.m_iYAnaUnit}) {
        for (const auto& [iOld, iNew] : kRenumberedYUnits) {
            if (*pUnit != iOld) continue;
            *pUnit = iNew;
            t.m_dCurrentMinYScaleValue /= 1000.0;
            t.m_dCurrentMaxYScaleValue /= 1000.0;
            break;
        }
    }
}

void CTraceRecord::ReadInputDetails()
{
    CQXTrace& t = m_t;
    if (!Config(25)) {
        const bool bSpectrum = t.m_eTraceType == TT_FFT || t.m_eTraceType == TT_CTFFT;
        if (bSpectrum && CheckFileVersion(100, 'r') < 0) {
            t.m_dCurrentMinYData = ConvertdBFSToHex(t.m_dCurrentMinYData);
            t.m_dCurrentMaxYData = ConvertdBFSToHex(t.m_dCurrentMaxYData);
            for (int i = 0; i < t.m_iDataSize; ++i) t.m_pYData[static_cast<size_t>(i)] = ConvertdBFSToHex(t.m_pYData[static_cast<size_t>(i)]);
        }
        if (!m_bInspecting) t.UpdateTraceVariables(false, true, nullptr);
    } else {
        const int iMode = I32();
        t.m_iRelativity = I32();
        t.m_iResponse = I32();
        CQXTrace::SReferenceBlock& r = t.m_References;
        r.dGenAnalogueReference = F64();
        r.dAnaAnalogueReference = F64();
        r.dGenDigitalReference = F64();
        r.dAnaDigitalReference = F64();
        r.dGenImpedance = F64();
        r.dAnaImpedance = F64();
        if (Config(51)) {
            r.dGenZerodBSPL = F64();
            r.dAnaZerodBSPL = F64();
        } else if (Config(35)) {
            r.dGenZerodBSPL = r.dAnaZerodBSPL = F64() * 1000.0;
        }
        t.m_dSampleRate = F64();
        t.m_dJDOSampleRate = Config(58) ? F64() : t.m_dSampleRate;
        t.m_dRelativityOtherValue = F64();
        t.m_bInputUnlocked = I32() != 0;
        if (iMode >= CQXTrace::eModeDigital && iMode <= CQXTrace::eModeSoundcard)
            t.m_eMode = static_cast<CQXTrace::EMode>(iMode);
        else
            t.UpdateMode(nullptr); // 0 (or nonsense): the trace works it out
    }
    t.m_iNumSamplesZeroBin = Config(34) ? I32() : 0;
    if (Config(64)) {
        t.m_bUseZeroBin = U8() != 0;
    } else if (Config(50)) {
        const COptionsSettings* pOptions = GetOptionsSettings();
        t.m_bUseZeroBin = pOptions && pOptions->GetUseZeroBin();
    } else {
        t.m_bUseZeroBin = false;
    }
    if (Config(77)) {
        t.m_bFromImpulseResponse = U8() != 0;
        t.m_dAnaVsGenFactor = F64();
    }
}

void CTraceRecord::FinishRecord()
{
    CQXTrace& t = m_t;
    if (t.m_iCurrentMinXPos < t.m_iMinXPos) t.m_iCurrentMinXPos = t.m_iMinXPos;
    if (!(t.m_iMinXPos <= t.m_iCurrentMinXPos && t.m_iCurrentMinXPos <= t.m_iMaxXPos &&
          t.m_iCurrentMaxXPos <= t.m_iMaxXPos)) {
        const std::string sName = t.GetTraceName(1, 0, 0).ToUtf8();
        const std::string sType = t.GetTypeText().ToUtf8();
        QXDebugLog(2, "CQXTrace::Serialize",
                   "%s Type:%d=%s NEED: m_iMinXPos:%d <= m_iCurrentMinXPos:%d <= m_iMaxXPos:%d  (m_iCurrentMaxXPos:%d)",
                   sName.c_str(), t.m_eTraceType, sType.c_str(), t.m_iMinXPos, t.m_iCurrentMinXPos, t.m_iMaxXPos,
                   t.m_iCurrentMaxXPos);
        // Keep the window usable: inside the data and not inverted.
        t.m_iCurrentMinXPos = std::clamp(t.m_iCurrentMinXPos, t.m_iMinXPos, t.m_iMaxXPos);
        t.m_iCurrentMaxXPos = std::clamp(t.m_iCurrentMaxXPos, t.m_iCurrentMinXPos, t.m_iMaxXPos);
    }
    if (!t.m_pComputeList) t.m_bShowTransformedRequest = 0;
    t.m_iMinLimitBreached = 0;
    t.m_iMaxLimitBreached = 0;
    t.RecalcTrace();
}

void CTraceRecord::AfterRecord()
{
    CQXTrace& t = m_t;
    if (m_bInspecting) return;
    if (!t.m_pYScale) t.CreateYScale();
    if (UpTo(100, 'a')) t.CalcYTicks();
    if (UpTo(111, 'a') && t.m_bCopy) {
        CGraphDoc* pDoc = GetGraphDoc();
        if (pDoc && pDoc->HasDuplicateTraceID(&t, 1)) {
            const std::string sName = t.GetTraceName(1, 0, 0).ToUtf8();
            QXDebugLog(1, "CQXTrace::Serialize", "Fixed duplicate Trace ID for %s\n", sName.c_str());
        }
    }
}

// ---- The trace's entry points -------------------------------------------------------------

void CQXTrace::Serialize(CArchive& ar) { CTraceRecord::Serialize(*this, ar); }

int CQXTrace::LoadTrace(CArchive& ar, int bPost)
{
    Serialize(ar);
    if (bPost) PostSerialize(ar);
    return 1;
}
