#include "qt/TraceWindow.h"

#include "host/app/AppMessages.h"
#include "host/app/HeadlessHost.h"
#include "host/app/Registry.h"
#include "qt/CursorBarWidget.h"
#include "qt/GraphViewWidget.h"
#include "qt/ImpulseWindowBarWidget.h"
#include "qt/LegendWidget.h"
#include "qt/LimitLineBarWidget.h"
#include "qt/MarkBarWidget.h"
#include "qt/MarksListWidget.h"
#include "qt/QtAppServices.h"
#include "qt/QtConvert.h"
#include "qt/QtGraphOutput.h"
#include "qt/QtMenu.h"
#include "qt/QtPictureEncoder.h"
#include "qt/TraceValuesTable.h"
#include "qt/dialogs/QtDialogs.h"
#include "resources/StringIds.h"
#include "trace/display/Accelerators.h"
#include "trace/display/CursorReadOut.h"
#include "trace/display/GraphFrame.h"
#include "trace/display/StatusPanes.h"
#include "trace/document/GraphDoc.h"
#include "trace/file/FileCommands.h"
#include "trace/file/WindowCommands.h"
#include "trace/limits/LimitLineManager.h"
#include "trace/model/QXTrace.h"
#include "trace/output/HeadlessGraphWindow.h"
#include "trace/types/ImpulseWindowEditor.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QComboBox>
#include <QDockWidget>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Between a mode's bar and the legend below it, in pixels.
constexpr int kModeBarGap = 6;

} // namespace

// What the window keeps alive besides its widgets.
struct CTraceWindow::SParts {
    SParts(CHeadlessHost& host, CGraphDoc& doc, QWidget* pWindow)
        : services(host, pWindow), graphWindow(host, doc), dialogs(pWindow)
    {
    }
    // First in, last out: the library reaches the user through it while the window lives.
    CQtAppServices services;
    CQtPictureEncoder pictureEncoder;
    // Scripts' export, copy and print reach the same output as the menu.
    CHeadlessGraphWindow graphWindow;
    CQtDialogHost dialogs;
    // What Print setup chose; printing and its preview use it.
    QPageLayout pageLayout{QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                           QPageLayout::Millimeter};
};

CTraceWindow::CTraceWindow(CHeadlessHost& host, CGraphDoc& doc, CQXTrace* pValuesTrace)
    : m_pFrame(std::make_unique<CGraphFrame>()), m_pParts(std::make_unique<SParts>(host, doc, this))
{
    CGraphFrame& frame = *m_pFrame;
    // The host's requests to start and stop impulse-window editing (a script's TW_EditImpulseWindow).
    for (unsigned uMessage : {unsigned(APPMSG_START_IMPULSE_EDIT), unsigned(APPMSG_END_IMPULSE_EDIT)})
        host.SetMessageHandler(uMessage, [&frame, uMessage](WPARAM, LPARAM) {
            CImpulseWindowEditor::OnHostMessage(frame, uMessage);
        });
    frame.SetModeListener([this](CFrameMode* pStarted, CFrameMode* pEnded) { OnModeChanged(pStarted, pEnded); });

    const auto run = [this](UINT uCommand) {
        m_pFrame->Execute(uCommand);
        RefreshToolBar();
    };
    // Export, copy, preview and print, from the menus, the toolbar or a
    // script, leave limit drawing first. The Output menu holds their
    // actions; the File menu, context menu and toolbar run the same.
    const auto outputGate = [this](int iMessageId) { return m_pFrame->ExitLimitLineDrawingMode(iMessageId); };
    auto* pOutput = new QMenu("&Output", this);
    AddGraphOutputCommands(*pOutput, doc, this, outputGate, &m_pParts->pageLayout);
    m_pParts->graphWindow.SetOutputGate(outputGate);
    InstallWindowCommands(frame, MakeToolkit(*pOutput));
    BindMenu(*menuBar()->addMenu("&File"), [&frame]() { return FillFileMenu(frame); }, run);
    BindMenu(*menuBar()->addMenu("&Trace"), [&frame]() { return frame.GetTraceMenu(); }, run);
    BindMenu(*menuBar()->addMenu("&Graph"), [&frame]() { return frame.GetGraphMenu(); }, run);
    BindMenu(*menuBar()->addMenu("&Cursor"), [&frame]() { return frame.GetCursorMenu(); }, run);
    BindMenu(*menuBar()->addMenu("&Marks"), [&frame]() { return frame.GetMarksMenu(); }, run);
    BindMenu(*menuBar()->addMenu("&View"), [&frame]() { return frame.GetViewMenu(); }, run);
    menuBar()->addMenu(pOutput);
    m_pToolBar = addToolBar("Commands");
    m_pToolBar->setObjectName("commands");
    FillToolBar(*m_pToolBar, frame.GetToolbar(), run);
    // The window's keys run the frame's commands wherever the focus is in it.
    for (const SAccelerator& key : GetAccelerators())
        AddShortcut(QKeySequence(QString::fromWCharArray(key.pszKey)), [this, sKey = CString(key.pszKey)]() {
            m_pFrame->OnAcceleratorKey(sKey);
            RefreshToolBar();
        });
    // The read-outs need room: the cursor bar takes a row of its own.
    addToolBarBreak();
    m_pCursorBar = new CCursorBarWidget(frame, this);
    addToolBar(m_pCursorBar);
    addToolBarBreak();
    m_pMarkBar = new CMarkBarWidget(frame, this);
    addToolBar(m_pMarkBar);
    // "List all marks..." shows the marks list, made on first use.
    frame.SetMarksListListener([this]() {
        if (!m_pMarksList) m_pMarksList = new CMarksListWidget(m_pFrame->GetMarksDlg(), this);
        m_pMarksList->Refresh();
        m_pMarksList->show();
        m_pMarksList->raise();
    });

    m_pLegendDock = new QDockWidget("Legend", this);
    m_pLegendDock->setObjectName("legend");
    m_pLegend = new CLegendWidget(frame, m_pLegendDock);
    m_pLegendDock->setWidget(m_pLegend);
    addDockWidget(Qt::BottomDockWidgetArea, m_pLegendDock);

    if (pValuesTrace) {
        auto* pSplitter = new QSplitter(Qt::Horizontal, this);
        pSplitter->addWidget(MakeViews(pSplitter));
        pSplitter->addWidget(new CTraceValuesWidget(pValuesTrace, pSplitter));
        pSplitter->setStretchFactor(0, 3);
        pSplitter->setStretchFactor(1, 2);
        setCentralWidget(pSplitter);
        resize(1600, 820);
    } else {
        setCentralWidget(MakeViews(this));
        resize(1100, 1000);
    }
    frame.SetSplitListener([this]() { ShowViewsOfChannels(); });
    ShowViewsOfChannels();
    RestoreBarStates();
}

CTraceWindow::~CTraceWindow()
{
    // Saved while the services that keep the registry still live.
    SaveBarStates();
    // The widgets that know the frame, its modes and views go before it.
    m_pFrame->SetModeListener({});
    delete m_pModeBar;
    delete m_pCursorBar;
    delete m_pMarkBar;
    delete m_pMarksList;
    delete m_pLegend;
    delete takeCentralWidget();
}

QWidget* CTraceWindow::MakeViews(QWidget* parent)
{
    auto* pCentral = new QWidget(parent);
    auto* pLayout = new QVBoxLayout(pCentral);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(2);
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
        auto* pView = new CGraphViewWidget(eChannel, pCentral);
        m_apViews[eChannel == CHANNEL_B] = pView;
        m_pFrame->SetView(eChannel, &pView->GetView());
        auto* pReadOut = new QLabel(statusBar());
        statusBar()->addWidget(pReadOut, 1);
        // Each view keeps the legend and its channel's cursor read-out current.
        pView->SetChangeListener([this, pReadOut, eChannel]() {
            if (m_pLegend) m_pLegend->Refresh();
            RefreshToolBar();
            CGraphDoc* pDoc = GetGraphDoc();
            const QString sText = ToQString(GetCursorReadOutText(pDoc ? pDoc->GetCurrentTrace(eChannel) : nullptr));
            if (pReadOut->text() != sText) pReadOut->setText(sText);
            RefreshStatusPanes();
        });
        pLayout->addWidget(pView);
    }
    // Room under the views for a mode's bar: the bar floats over it and
    // covers no scale or trace.
    m_pModeBarRoom = new QWidget(pCentral);
    m_pModeBarRoom->hide();
    pLayout->addWidget(m_pModeBarRoom);
    m_pScalePane = new QLabel(statusBar());
    m_pModePane = new QLabel(statusBar());
    statusBar()->addPermanentWidget(m_pScalePane);
    statusBar()->addPermanentWidget(m_pModePane);
    RefreshStatusPanes();
    return pCentral;
}

namespace {

// Where the bars' and docks' places and visibility are kept between runs.
const wchar_t* const kBarsKey = L"TraceWindow";
const wchar_t* const kBarsValue = L"BarState";
// Raised when the window's bars change so much that an old state no longer fits.
constexpr int kBarStateVersion = 1;

} // namespace

void CTraceWindow::SaveBarStates() const
{
    const QByteArray state = saveState(kBarStateVersion);
    CRegistry::SetRegistryValue(0, kBarsKey, kBarsValue, std::vector<std::uint8_t>(state.begin(), state.end()));
}

void CTraceWindow::RestoreBarStates()
{
    std::vector<std::uint8_t> aState;
    // A state that is missing, damaged or of another version leaves the bars where they are.
    if (CRegistry::GetRegistryValue(0, kBarsKey, kBarsValue, aState))
        restoreState(QByteArray(reinterpret_cast<const char*>(aState.data()), static_cast<qsizetype>(aState.size())),
                     kBarStateVersion);
}

void CTraceWindow::RefreshStatusPanes()
{
    if (!m_pModePane || !m_pScalePane) return;
    const CGraphDoc* pDoc = GetGraphDoc();
    const QString sScale = ToQString(GetScaleStatusText(pDoc ? pDoc->GetCurrentTrace() : nullptr));
    const QString sMode = ToQString(GetModeStatusText(*m_pFrame));
    if (m_pScalePane->text() != sScale) m_pScalePane->setText(sScale);
    if (m_pModePane->text() != sMode) m_pModePane->setText(sMode);
}

void CTraceWindow::OnModeChanged(CFrameMode* pStarted, CFrameMode* pEnded)
{
    if (auto* pManager = dynamic_cast<CLimitLineManager*>(pEnded)) pManager->GetBar().SetChangeListener({});
    if (auto* pEditor = dynamic_cast<CImpulseWindowEditor*>(pEnded)) pEditor->GetBar().SetChangeListener({});
    RefreshStatusPanes();
    if (m_pModeBar) {
        m_pModeBar->hide();
        m_pModeBar->deleteLater();
    }
    if (m_pModeBarRoom) m_pModeBarRoom->hide();
    if (auto* pManager = dynamic_cast<CLimitLineManager*>(pStarted))
        m_pModeBar = new CLimitLineBarWidget(pManager->GetBar(), this);
    else if (auto* pEditor = dynamic_cast<CImpulseWindowEditor*>(pStarted))
        m_pModeBar = new CImpulseWindowBarWidget(*pEditor, this);
    else
        return;
    // A press on the bar's buttons, boxes and lists gives the keyboard back
    // to the window (the bar is a window of its own); typed bins keep it.
    for (auto* pButton : m_pModeBar->findChildren<QAbstractButton*>())
        connect(pButton, &QAbstractButton::clicked, this, [this]() { ReturnFocus(); });
    for (auto* pCombo : m_pModeBar->findChildren<QComboBox*>())
        connect(pCombo, &QComboBox::activated, this, [this]() { ReturnFocus(); });
    m_pModeBar->show();
    PlaceModeBar();
    ReturnFocus();
}

void CTraceWindow::PlaceModeBar()
{
    if (!m_pModeBar || !m_pModeBarRoom) return;
    // The title bar the window manager adds, once it has been shown.
    const int iTitle = std::max(0, m_pModeBar->geometry().top() - m_pModeBar->frameGeometry().top());
    const int iHeight = m_pModeBar->sizeHint().height() + iTitle + 2 * kModeBarGap;
    if (m_pModeBarRoom->isHidden() || m_pModeBarRoom->height() != iHeight) {
        // The views give up the room first; the bar follows once they are laid out again.
        m_pModeBarRoom->setFixedHeight(iHeight);
        m_pModeBarRoom->show();
        QTimer::singleShot(0, this, [this]() { PlaceModeBar(); });
        return;
    }
    // A window's position is its frame's, title bar included.
    m_pModeBar->move(m_pModeBarRoom->mapToGlobal(QPoint(10, kModeBarGap)));
}

void CTraceWindow::ReturnFocus()
{
    activateWindow();
    if (CGraphViewWidget* pView = m_apViews[0]) pView->setFocus(Qt::OtherFocusReason);
}

SWindowToolkit CTraceWindow::MakeToolkit(const QMenu& output)
{
    SWindowToolkit toolkit;
    // The trace's colour from the menu or the legend's colour cell.
    toolkit.fnChooseColour = [this](COLORREF crCurrent, COLORREF& crChosen) {
        const QColor colour = QColorDialog::getColor(ToQColor(crCurrent), this, "Trace colour");
        if (!colour.isValid()) return false;
        crChosen = FromQColor(colour);
        return true;
    };
    toolkit.fnListValues = [this](CQXTrace* pTrace) {
        // A window of its own, closed with the trace window; a removed
        // trace leaves it empty, never dangling.
        auto* pValues = new CTraceValuesWidget(pTrace, this);
        pValues->setWindowFlag(Qt::Window);
        pValues->setAttribute(Qt::WA_DeleteOnClose);
        pValues->show();
        return true;
    };
    toolkit.fnOutput = [this, apActions = output.actions()](UINT uId) {
        if (uId == ID_GRAPH_PRINT_SETUP) return SetUpPage();
        for (QAction* pAction : apActions)
            if (pAction->data().toUInt() == uId) {
                pAction->trigger();
                return true;
            }
        return false;
    };
    return toolkit;
}

bool CTraceWindow::SetUpPage()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_pParts->pageLayout);
    QPageSetupDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    m_pParts->pageLayout = printer.pageLayout();
    return true;
}

void CTraceWindow::ShowViewsOfChannels()
{
    // Channel B's view draws nothing while both channels share channel A's.
    const CGraphDoc* pDoc = GetGraphDoc();
    if (CGraphViewWidget* pViewB = m_apViews[1]) pViewB->setVisible(!(pDoc && pDoc->DrawingAllOnSameView()));
}

void CTraceWindow::RefreshToolBar()
{
    if (m_pToolBar) UpdateToolBar(*m_pToolBar, m_pFrame->GetToolbar());
    if (m_pMarkBar) m_pMarkBar->Refresh();
}

void CTraceWindow::AddShortcut(const QKeySequence& key, std::function<void()> fnRun)
{
    connect(new QShortcut(key, this), &QShortcut::activated, this, std::move(fnRun));
}

void CTraceWindow::RunCommand(UINT uCommand, CQXTrace* pTrace)
{
    if (pTrace) m_pFrame->SetTraceForNextCommand(pTrace);
    m_pFrame->Execute(uCommand);
}
