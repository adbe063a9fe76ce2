#include "qt/dialogs/TraceCommentForm.h"

#include "qt/QtConvert.h"
#include "resources/StringTable.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CTraceCommentForm::CTraceCommentForm(CTraceCommentDlg& model, QWidget* pParent) : CModelForm(model, pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pEdit = new QPlainTextEdit(ToQString(model.GetComment()), this);
    pEdit->setMinimumSize(360, 120);
    pLayout->addWidget(new QLabel(ToQString(LoadResString(IDS_TRACE_COMMENT_LABEL)), this));
    pLayout->addWidget(pEdit);
    AddButtons(pLayout);
    connect(pEdit, &QPlainTextEdit::textChanged, this,
            [&model, pEdit]() { model.SetComment(FromQString(pEdit->toPlainText())); });
}
