#include "pages/macro/Macro.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "device/KeyCodes.h"

bool g_MacroRecording = false;

Macro::Macro(QWidget* parent)
    : QWidget(parent)
{
    QObject* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigSetMacroPage()), this, SLOT(SlotSetMacroPage()));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
}

void Macro::SlotSetMacroPage()
{
    PostMsg::GetInstance()->EmitStartRecord(1);
    g_MacroRecording = false;
}

void Macro::SlotAllLanguage(int /*Index: always the current language*/)
{
    // Texts 18 to 22 of the page's section: left, right, middle, forward, back.
    g_MouseButtonNameLeft = LanguageText(g_LangTextsMacro, 18, g_MouseButtonNameLeft);
    g_MouseButtonNameRight = LanguageText(g_LangTextsMacro, 19, g_MouseButtonNameRight);
    g_MouseButtonNameMiddle = LanguageText(g_LangTextsMacro, 20, g_MouseButtonNameMiddle);
    g_MouseButtonNameForward = LanguageText(g_LangTextsMacro, 21, g_MouseButtonNameForward);
    g_MouseButtonNameBack = LanguageText(g_LangTextsMacro, 22, g_MouseButtonNameBack);
}
