#include "pages/macro/Macro.h"

#include "core/PostMsg.h"

bool g_MacroRecording = false;

Macro::Macro(QWidget* parent)
    : QWidget(parent)
{
    connect(PostMsg::GetInstance(), SIGNAL(SigSetMacroPage()), this, SLOT(SlotSetMacroPage()));
}

void Macro::SlotSetMacroPage()
{
    PostMsg::GetInstance()->EmitStartRecord(1);
    g_MacroRecording = false;
}
