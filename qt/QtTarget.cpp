#include "qt/QtTarget.h"

#include "qt/QtDC.h"

#include <QPaintDevice>
#include <QPainter>

CQtTarget::CQtTarget() = default;

CQtTarget::~CQtTarget()
{
    Finish();
}

void CQtTarget::Begin(std::unique_ptr<QPaintDevice> device, bool printing, bool metafile)
{
    m_pDevice = std::move(device);
    if (!m_pDevice) return;
    m_pPainter = std::make_unique<QPainter>();
    if (!m_pPainter->begin(m_pDevice.get())) {
        m_pPainter.reset();
        return;
    }
    m_pDC = std::make_unique<CQtDC>(m_pPainter.get(), m_pDevice.get());
    m_pDC->SetPrinting(printing);
    m_pDC->SetMetafile(metafile);
}

bool CQtTarget::IsValid() const
{
    return m_pPainter != nullptr || m_bFinishedOk;
}

CDC* CQtTarget::GetDC() const
{
    return m_bFinished ? nullptr : m_pDC.get();
}

bool CQtTarget::Finish()
{
    if (m_bFinished) return m_bFinishedOk;
    m_bFinished = true;
    m_pDC.reset(); // gives the painter back its state before it ends
    m_bFinishedOk = m_pPainter && m_pPainter->end();
    m_pPainter.reset();
    return m_bFinishedOk;
}
